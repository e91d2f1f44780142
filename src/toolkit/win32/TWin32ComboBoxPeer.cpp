// A drop-down list: the system's combo box without an edit field.
#include "toolkit/TComboBox.h"
#include "toolkit/win32/TWin32Peer.h"
#include "toolkit/win32/Win32Look.h"
#include "toolkit/win32/Win32Peers.h"

namespace toolkit::win32 {

namespace {

// The window's height includes the dropped-down list; the closed box takes its height
// from the font.
constexpr int kListHeight = 240;

class TWin32ComboBoxPeer final : public TWin32Peer {
 public:
  explicit TWin32ComboBoxPeer(TComboBox& comboBox) : TWin32Peer(comboBox), comboBox_(comboBox) {
    CreateWindowOf(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    Refresh();
  }

  void Command(WORD code) override {
    if (code != CBN_SELCHANGE) return;
    const auto index = static_cast<int>(::SendMessageW(Window(), CB_GETCURSEL, 0, 0));
    comboBox_.UserSelect(index);
    // Refused or not, the box shows the model's choice.
    if (index != comboBox_.ItemIndex()) ShowItemIndex();
  }

 protected:
  void Update(TChange change) override {
    switch (change) {
      case TChange::kItems:
        ::SendMessageW(Window(), CB_RESETCONTENT, 0, 0);
        for (const std::string& item : comboBox_.Items()) {
          ::SendMessageW(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        }
        ShowItemIndex();
        break;
      case TChange::kItemIndex:
        ShowItemIndex();
        break;
      default:
        break;
    }
  }

  void Place() override {
    const TRect bounds = comboBox_.BoundsRect();
    ::MoveWindow(Window(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height() + kListHeight,
                 TRUE);
  }

 private:
  void ShowItemIndex() {
    const TSyncScope sync(*this);
    ::SendMessageW(Window(), CB_SETCURSEL, static_cast<WPARAM>(comboBox_.ItemIndex()), 0);
  }

  TComboBox& comboBox_;
};

}  // namespace

std::unique_ptr<TPeer> MakeComboBoxPeer(TComboBox& comboBox) {
  return std::make_unique<TWin32ComboBoxPeer>(comboBox);
}

}  // namespace toolkit::win32
