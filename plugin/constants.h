#pragma once
// The plug-in's fixed paths and the skin value it reads.

// One saved shell command per line.
constexpr const char* commandFilePath = "/var/kovrin/config/morvane.cfg";

constexpr const char* fontSizeName = "fontsize";
constexpr int defaultFontSize = 20;
