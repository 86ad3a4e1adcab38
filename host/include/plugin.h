#pragma once
// The entry point a plug-in exports and the host calls on its GUI thread.

// What the host passes to a plug-in; this host's plug-ins take nothing from it.
struct PluginParam {
    const char* hostName;
};

extern "C" int plugin_exec(PluginParam* param);
