#pragma once
// The base of every window and widget: geometry, text, visibility, children, focus and the
// modal loop.

#include <iosfwd>
#include <vector>

#include "erckey.h"
#include "estring.h"
#include "sigc.h"

class eWidget : public SigC::Object {
  public:
    // The widget is created as the last child of parent, which then owns and deletes it.
    explicit eWidget(eWidget* parent = nullptr, int takefocus = 0);
    ~eWidget() override;
    eWidget(const eWidget&) = delete;
    eWidget& operator=(const eWidget&) = delete;

    void move(const ePoint& position);
    void resize(const eSize& size);
    void setText(const eString& text);
    const eString& getText() const { return text; }
    int loadDeco();

    void show();
    void hide();
    // Runs the modal loop until close or accept ends it, and returns the close code.
    int exec();
    // Ends the modal loop with code; from inside a key handler, when that handler returns.
    void close(int code);
    void accept();
    void setFocus(eWidget* child);

    // Toolkit internals, used by the key routing and the screen dump.
    eWidget* getParent() const { return parent; }
    const std::vector<eWidget*>& getChildren() const { return children; }
    ePoint getPosition() const { return position; }
    eSize getSize() const { return size; }
    ePoint getAbsolutePosition() const;
    eWidget* getFocus() const { return focus; }
    bool takesFocus() const { return takefocus != 0; }
    int getId() const { return id; }

    // The class name shown in the screen dump and the call trace.
    virtual const char* kind() const { return "eWidget"; }
    // Writes this widget's own line (without children) for the screen dump.
    virtual void describe(std::ostream& out) const;
    // Writes lines nested under this widget in the screen dump, such as list entries.
    virtual void describeContent(std::ostream& out, int indent) const;
    // Handles a key; returns false to let the enclosing window handle it.
    virtual bool keyDown(const eRCKey& key);

  protected:
    // The untraced forms of show, hide, exec and close, for the toolkit's own use.
    void showWidget();
    void hideWidget();
    int runLoop();
    void endLoop(int code);
    // Moves the focus to the next (or previous) focusable child, wrapping round.
    void stepFocus(int direction);
    // The dump line's common part, with shownText in the place of the widget's text.
    void describeAs(std::ostream& out, const std::string& shownText) const;

    eWidget* parent;
    std::vector<eWidget*> children;
    ePoint position;
    eSize size;
    eString text;
    eWidget* focus = nullptr;
    int takefocus;
    bool decoLoaded = false;

  private:
    int id;
    bool inLoop = false;
    bool closeRequested = false;
    int closeCode = 0;
};
