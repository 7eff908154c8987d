// One game pad that only GLFW 3's Linux joystick code sees: /dev/input lists "event7", and that device
// answers the evdev queries GLFW makes with 15 buttons, 6 axes and one hat, id 03000000aa5500001122000010010000.
// The functions below take the place of the C library's for the whole test program (a program's own
// definitions come first when the GLFW library's calls are bound); every other path and descriptor goes
// on to the next definition, the sanitizer's or the C library's. Linux only: it stands in for evdev.
#undef _FORTIFY_SOURCE  // the checked inline open() of the C library's headers would clash with ours

#include <dirent.h>
#include <dlfcn.h>
#include <errno.h>
#include <linux/input.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdint>

namespace {

constexpr char kFolder[] = "/dev/input";
constexpr char kDevice[] = "/dev/input/event7";
int g_fd = -1;             // the pad's descriptor while GLFW holds it open
DIR* const kFakeFolder = reinterpret_cast<DIR*>(uintptr_t(0x7e57));
int g_entry;               // entries of the folder read so far

// The next definition of a C library function: the sanitizer's or the C library's own.
template <typename F>
F Next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
#define VX_NEXT(type, name) static const auto next = Next<type>(name)

void SetBit(unsigned char* bits, size_t size, int bit) {
  if (size_t(bit / 8) < size) bits[bit / 8] |= static_cast<unsigned char>(1u << (bit % 8));
}

// Answers one evdev query of the pad; -1 with errno for any other.
int PadIoctl(unsigned long request, void* arg) {
  const unsigned nr = _IOC_NR(request);
  const size_t size = _IOC_SIZE(request);
  if (_IOC_TYPE(request) != 'E') {
    errno = ENOTTY;
    return -1;
  }
  if (nr == _IOC_NR(EVIOCGID)) {
    input_id id{};
    id.bustype = 0x0003;
    id.vendor = 0x55aa;
    id.product = 0x2211;
    id.version = 0x0110;
    memcpy(arg, &id, sizeof id);
    return 0;
  }
  if (nr == _IOC_NR(EVIOCGNAME(0))) {
    static const char kName[] = "Vextrallis Test Pad";
    size_t n = size < sizeof kName ? size : sizeof kName;
    memcpy(arg, kName, n);
    return int(n);
  }
  if (nr >= _IOC_NR(EVIOCGBIT(0, 0)) && nr < _IOC_NR(EVIOCGBIT(EV_MAX, 0)) + 1) {
    auto* bits = static_cast<unsigned char*>(arg);
    memset(bits, 0, size);
    switch (nr - _IOC_NR(EVIOCGBIT(0, 0))) {
      case 0:
        SetBit(bits, size, EV_KEY);
        SetBit(bits, size, EV_ABS);
        break;
      case EV_KEY:
        for (int code = BTN_SOUTH; code <= BTN_THUMBR; ++code) SetBit(bits, size, code);  // 15 buttons
        break;
      case EV_ABS:
        for (int code = ABS_X; code <= ABS_RZ; ++code) SetBit(bits, size, code);  // 6 axes
        SetBit(bits, size, ABS_HAT0X);  // one hat
        SetBit(bits, size, ABS_HAT0Y);
        break;
    }
    return int(size);
  }
  if (nr >= _IOC_NR(EVIOCGABS(0)) && nr <= _IOC_NR(EVIOCGABS(ABS_MAX))) {
    input_absinfo info{};
    info.minimum = -32768;
    info.maximum = 32767;
    memcpy(arg, &info, sizeof info < size ? sizeof info : size);
    return 0;
  }
  errno = EINVAL;
  return -1;
}

}  // namespace

extern "C" {

DIR* opendir(const char* name) {
  if (strcmp(name, kFolder) == 0) {
    g_entry = 0;
    return kFakeFolder;
  }
  VX_NEXT(DIR* (*)(const char*), "opendir");
  return next(name);
}

dirent* readdir(DIR* dir) {
  VX_NEXT(dirent* (*)(DIR*), "readdir");
  if (dir != kFakeFolder) return next(dir);
  static dirent entry;
  if (g_entry++ > 0) return nullptr;
  memset(&entry, 0, sizeof entry);
  strcpy(entry.d_name, "event7");
  entry.d_type = DT_CHR;
  return &entry;
}

int closedir(DIR* dir) {
  VX_NEXT(int (*)(DIR*), "closedir");
  return dir == kFakeFolder ? 0 : next(dir);
}

int open(const char* path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  const unsigned mode = va_arg(args, unsigned);
  va_end(args);
  VX_NEXT(int (*)(const char*, int, ...), "open");
  if (strcmp(path, kDevice) == 0) {
    g_fd = next("/dev/null", 0);  // a real descriptor to stand for the pad
    return g_fd;
  }
  return next(path, flags, mode);
}

int ioctl(int fd, unsigned long request, ...) {
  va_list args;
  va_start(args, request);
  void* arg = va_arg(args, void*);
  va_end(args);
  VX_NEXT(int (*)(int, unsigned long, ...), "ioctl");
  return fd >= 0 && fd == g_fd ? PadIoctl(request, arg) : next(fd, request, arg);
}

ssize_t read(int fd, void* buffer, size_t size) {
  VX_NEXT(ssize_t (*)(int, void*, size_t), "read");
  if (fd >= 0 && fd == g_fd) {  // no input events: the pad stays at rest
    errno = EAGAIN;
    return -1;
  }
  return next(fd, buffer, size);
}

int close(int fd) {
  VX_NEXT(int (*)(int), "close");
  if (fd >= 0 && fd == g_fd) g_fd = -1;
  return next(fd);
}

}  // extern "C"
