#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A named part of a window. Components form an ownership tree: each knows its owner and
// the components it owns, in the order they were created, which is the order the window
// walk visits them. The tree is a listing, not memory ownership: the objects live as
// members of the window that creates them and leave their owner's list when destroyed.
class TComponent {
 public:
  TComponent(TComponent* owner, std::u16string name);
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent();

  const std::u16string& Name() const { return FName; }
  TComponent* Owner() const { return FOwner; }
  std::size_t ComponentCount() const { return FComponents.size(); }
  TComponent& Components(std::size_t index) const { return *FComponents[index]; }

  // Only components that show a caption override these three.
  virtual bool HasCaption() const { return false; }
  virtual std::u16string Caption() const { return {}; }
  virtual void SetCaption(std::u16string_view) {}

  // The hint text. A control that opens a link keeps the link here.
  const std::u16string& Hint() const { return FHint; }
  virtual void SetHint(std::u16string_view hint) { FHint = hint; }

 private:
  std::u16string FName;
  TComponent* FOwner;
  std::vector<TComponent*> FComponents;
  std::u16string FHint;
};
