#include "toolkit/TComponent.h"

#include <algorithm>
#include <cctype>

namespace toolkit {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (owner_ != nullptr) {
    auto& list = owner_->components_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

void TComponent::DestroyComponents() {
  // Each destructor takes its component out of the list, so always free the last one.
  while (!components_.empty()) delete components_.back();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_) {
    if (SameName(component->name_, name)) return component;
  }
  return nullptr;
}

}  // namespace toolkit
