#pragma once
// The SigC interface the toolkit and the plug-in use, as a thin layer over libsigc++ 3.

#include <sigc++/sigc++.h>

namespace SigC {

// Base of every object that may be the target of a slot: a slot made from it is
// disconnected automatically when the object is destroyed.
class ObjectBase : public sigc::trackable {
  public:
    virtual ~ObjectBase() = default;
    virtual void reference() {}
    virtual void unreference() {}
    virtual void set_manage() {}
};

class Object : public virtual ObjectBase {};

template <class Result> using Slot0 = sigc::slot<Result()>;

// A slot calling a member function without arguments on an object; the member function may
// belong to a base class of the object, as eWidget::accept does for a window.
template <class Target, class Owner, class Result>
Slot0<Result> slot(Target& object, Result (Owner::*method)()) {
    return sigc::mem_fun(static_cast<Owner&>(object), method);
}

} // namespace SigC
