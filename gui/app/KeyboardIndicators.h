// The state of the caps-lock, num-lock and scroll-lock keys for the status bar. Qt has no
// call for the lock state, so it is read from the window system where one says it (the X11
// keyboard indicators, reached through libX11 when the program runs on X11; the library is
// looked up at run time, so the program does not depend on it), and otherwise tracked from
// the presses of the three keys. The state is read again when a lock key goes down or up
// and when the program becomes active (the keys may have changed in another program).
#pragma once

#include <QObject>
#include <functional>
#include <optional>

namespace vantrel::gui {

/// The three lock keys: true while the key's lock is on.
struct LockKeys {
  bool caps = false;
  bool num = false;
  bool scroll = false;
  friend bool operator==(const LockKeys&, const LockKeys&) = default;
};

class KeyboardIndicators final : public QObject {
  Q_OBJECT
 public:
  /// Reads the lock state from the window system; nullopt where it cannot say.
  using StateSource = std::function<std::optional<LockKeys>()>;

  /// Watches the application's key events; reads the window system's state when it can.
  explicit KeyboardIndicators(QObject* parent = nullptr);
  ~KeyboardIndicators() override;

  /// Replaces the window system's state source (tests; an empty source tracks presses).
  void SetStateSource(StateSource source);
  const LockKeys& State() const { return state_; }
  /// Reads the state again and reports a change.
  void Refresh();

  /// The state source of the window system the program runs on; empty where there is none.
  static StateSource PlatformSource();

 signals:
  void Changed(const vantrel::gui::LockKeys& keys);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Set(const LockKeys& keys);
  /// A lock key went down without a window-system state: its lock flips.
  void Toggle(int key);

  StateSource source_;
  LockKeys state_;
};

}  // namespace vantrel::gui
