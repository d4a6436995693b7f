#include "gui/app/KeyboardIndicators.h"

#include <dlfcn.h>

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <memory>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#endif

namespace vantrel::gui {
namespace {

bool IsLockKey(int key) {
  return key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

#if QT_CONFIG(xcb)
/// The named keyboard indicators of libX11, opened at run time (the X11 platform of Qt has
/// loaded the library already; no other platform needs it).
class X11Indicators {
 public:
  using InternAtom = unsigned long (*)(Display*, const char*, int);
  using GetNamedIndicator = int (*)(Display*, unsigned long, int*, int*, void*, int*);

  static std::shared_ptr<X11Indicators> Open(Display* display) {
    if (display == nullptr) return nullptr;
    void* library = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    auto result = std::make_shared<X11Indicators>(library, display);
    result->internAtom_ = reinterpret_cast<InternAtom>(dlsym(library, "XInternAtom"));
    result->getNamed_ = reinterpret_cast<GetNamedIndicator>(dlsym(library, "XkbGetNamedIndicator"));
    if (result->internAtom_ == nullptr || result->getNamed_ == nullptr) return nullptr;
    result->caps_ = result->internAtom_(display, "Caps Lock", 0);
    result->num_ = result->internAtom_(display, "Num Lock", 0);
    result->scroll_ = result->internAtom_(display, "Scroll Lock", 0);
    return result;
  }
  X11Indicators(void* library, Display* display) : library_(library), display_(display) {}
  ~X11Indicators() { dlclose(library_); }
  X11Indicators(const X11Indicators&) = delete;
  X11Indicators& operator=(const X11Indicators&) = delete;

  std::optional<LockKeys> Read() const {
    LockKeys keys;
    if (!Named(caps_, keys.caps)) return std::nullopt;
    Named(num_, keys.num);
    Named(scroll_, keys.scroll);
    return keys;
  }

 private:
  bool Named(unsigned long atom, bool& on) const {
    int state = 0;
    if (atom == 0 || getNamed_(display_, atom, nullptr, &state, nullptr, nullptr) == 0)
      return false;
    on = state != 0;
    return true;
  }

  void* library_;
  Display* display_;
  InternAtom internAtom_ = nullptr;
  GetNamedIndicator getNamed_ = nullptr;
  unsigned long caps_ = 0;
  unsigned long num_ = 0;
  unsigned long scroll_ = 0;
};
#endif

}  // namespace

KeyboardIndicators::KeyboardIndicators(QObject* parent) : QObject(parent) {
  source_ = PlatformSource();
  if (QCoreApplication* app = QCoreApplication::instance(); app != nullptr)
    app->installEventFilter(this);
  Refresh();
}

KeyboardIndicators::~KeyboardIndicators() {
  if (QCoreApplication* app = QCoreApplication::instance(); app != nullptr)
    app->removeEventFilter(this);
}

KeyboardIndicators::StateSource KeyboardIndicators::PlatformSource() {
#if QT_CONFIG(xcb)
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 != nullptr) {
    std::shared_ptr<X11Indicators> indicators = X11Indicators::Open(x11->display());
    if (indicators != nullptr) return [indicators] { return indicators->Read(); };
  }
#endif
  return {};
}

void KeyboardIndicators::SetStateSource(StateSource source) {
  source_ = std::move(source);
  Refresh();
}

void KeyboardIndicators::Refresh() {
  if (!source_) return;
  if (const std::optional<LockKeys> keys = source_(); keys) Set(*keys);
}

void KeyboardIndicators::Set(const LockKeys& keys) {
  if (keys == state_) return;
  state_ = keys;
  emit Changed(state_);
}

void KeyboardIndicators::Toggle(int key) {
  LockKeys keys = state_;
  if (key == Qt::Key_CapsLock) keys.caps = !keys.caps;
  if (key == Qt::Key_NumLock) keys.num = !keys.num;
  if (key == Qt::Key_ScrollLock) keys.scroll = !keys.scroll;
  Set(keys);
}

bool KeyboardIndicators::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::ApplicationActivate) {
    Refresh();
  } else if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWindowType()) {
    // Every key event of the window system reaches its top-level window once before the
    // focus widget (and its parents) get it: counted there, a press flips a lock once.
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (IsLockKey(key->key()) && !key->isAutoRepeat()) {
      const std::optional<LockKeys> keys = source_ ? source_() : std::nullopt;
      if (keys) {
        Set(*keys);
      } else if (type == QEvent::KeyPress) {
        Toggle(key->key());
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vantrel::gui
