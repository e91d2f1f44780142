// The root of the toolkit's classes: TObject, the owned-component tree of TComponent, the
// event types that handlers are stored as, and Bind, which turns a member function into
// a handler.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "toolkit/Exception.h"

namespace toolkit {

class TObject {
 public:
  virtual ~TObject() = default;
};

// Event types. The sender is the object whose event it is.
using TNotifyEvent = std::function<void(TObject* sender)>;
// key may be changed by the handler; the null character swallows the key.
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
using TExceptionEvent = std::function<void(TObject* sender, const Exception& e)>;

// Runs a handler on a copy of the event, so that a handler may reassign the event or
// free the object that owns it while it runs.
template <class Event, class... Args>
void Fire(const Event& event, Args&&... args) {
  if (!event) return;
  Event copy = event;
  copy(std::forward<Args>(args)...);
}

// A handler calling method on object: btn->OnClick = Bind(this, &TMForm::StartRun).
// The method may belong to a base class of object's class.
template <class Object, class Class, class... Args>
auto Bind(Object* object, void (Class::*method)(Args...)) {
  static_assert(std::is_base_of_v<Class, Object>);
  return [object, method](Args... args) { (object->*method)(std::forward<Args>(args)...); };
}

// A component has a name and may have an owner, which destroys it. Destroying a component
// first destroys every component it owns, the last created first.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(index); }
  // The owned component of that name (ASCII case ignored, as component names are), or null.
  TComponent* FindComponent(std::string_view name) const;
  // The owned component of that name and class; raises Exception when there is none.
  template <class T>
  T& Component(std::string_view name) const {
    T* found = dynamic_cast<T*>(FindComponent(name));
    if (found == nullptr) {
      throw Exception("no component \"" + std::string(name) + "\" of the asked class in \"" +
                      name_ + "\"");
    }
    return *found;
  }

 protected:
  // Destroys the owned components, the last created first. A derived destructor that
  // must outlive its components (a control with child controls) calls it first.
  void DestroyComponents();

 private:
  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
};

// Creates a component owned by owner, which destroys it: the toolkit's `new T(owner)`.
// An ownerless component is held in a std::unique_ptr instead. Freeing an owned component
// early with delete is allowed: its destructor takes it out of its owner's list.
template <class T, class... Args>
T* Create(TComponent& owner, Args&&... args) {
  return new T(&owner, std::forward<Args>(args)...);
}

}  // namespace toolkit
