// Game-pad mapping text checked and handed to GLFW 3 one line at a time, so that one bad line costs only
// itself: GLFW takes a whole text at once and cannot say which of its lines it dropped.
#include "host/pads/gamepad_mappings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/pads/joystick_source.h"
#include "host/platform.h"

namespace {

constexpr int kMaxLine = 1023;  // GLFW ignores longer lines
constexpr int kGuidLength = 32;
constexpr int kMaxName = 127;
constexpr char kDatabaseFile[] = "gamecontrollerdb.txt";
constexpr char kEnvironment[] = "SDL_GAMECONTROLLERCONFIG";

// The fields whose value names a button, axis or hat of the joystick.
const char* const kElements[] = {
    "a",    "b",       "x",      "y",      "back",        "start",        "guide", "leftshoulder", "rightshoulder",
    "leftstick", "rightstick", "dpup", "dpright", "dpdown", "dpleft", "lefttrigger", "righttrigger",
    "leftx", "lefty", "rightx", "righty",
};

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsElementKey(const char* key, int length) {
    // "+leftx" / "-leftx" map half of an output axis.
    if (length > 0 && (key[0] == '+' || key[0] == '-')) {
        key++;
        length--;
    }
    for (const char* e : kElements) {
        if (int(std::strlen(e)) == length && std::strncmp(e, key, length) == 0) return true;
    }
    return false;
}

// Reads digits at `at`; false when there are none.
bool Digits(const char* s, int length, int& at) {
    int start = at;
    while (at < length && IsDigit(s[at])) at++;
    return at > start;
}

// A source: "b3", "a2", "+a2", "-a2", "a2~" (inverted), or "h0.4" (hat 0, bit 4).
bool IsElementValue(const char* v, int length) {
    int at = 0;
    bool signedHalf = at < length && (v[at] == '+' || v[at] == '-');
    if (signedHalf) at++;
    if (at >= length) return false;
    char kind = v[at++];
    if (kind == 'b' || kind == 'h') {
        if (signedHalf || !Digits(v, length, at)) return false;
        if (kind == 'h' && (at >= length || v[at++] != '.' || !Digits(v, length, at))) return false;
        return at == length;
    }
    if (kind != 'a' || !Digits(v, length, at)) return false;
    if (at < length && v[at] == '~') at++;
    return at == length;
}

// Calls `fun(line, length, number)` for each line of text[0..size), with the surrounding blanks trimmed.
template <typename Fun>
void ForEachLine(const char* text, size_t size, Fun fun) {
    int number = 0;
    size_t at = 0;
    while (at < size) {
        number++;
        size_t end = at;
        while (end < size && text[end] != '\r' && text[end] != '\n') end++;
        size_t next = end;
        if (next < size && text[next] == '\r') next++;
        if (next < size && text[next] == '\n') next++;
        size_t first = at, last = end;
        while (first < last && IsBlank(text[first])) first++;
        while (last > first && IsBlank(text[last - 1])) last--;
        fun(text + first, int(last - first < size_t(INT_MAX) ? last - first : INT_MAX), number);
        at = next;
    }
}

void Skipped(FILE* log, const char* origin, int number, const char* why) {
    if (log) std::fprintf(log, "Vextrallis: game pad mapping skipped (%s, line %d): %s\n", origin, number, why);
}

// Appends the whole file to `out`; 0, or the errno of what failed.
int ReadFile(const std::string& path, std::string& out) {
    FILE* f = host_OpenFile(path, "rb");
    if (!f) return errno;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    int error = std::ferror(f) ? (errno ? errno : EIO) : 0;
    std::fclose(f);
    return error;
}

}  // namespace

const char* glfw2_MappingLineFault(const char* line, int length) {
    if (length > kMaxLine) return "the line is longer than 1023 characters";
    for (int i = 0; i < length; i++) {
        if (static_cast<unsigned char>(line[i]) < 0x20 && line[i] != '\t')
            return "the line holds a control character";
    }
    static const char kBadId[] = "it does not start with a 32-digit hexadecimal pad id";
    for (int i = 0; i < kGuidLength; i++) {
        if (i >= length || !IsHex(line[i])) return kBadId;
    }
    if (length == kGuidLength || line[kGuidLength] != ',') return kBadId;

    int at = kGuidLength + 1;
    const char* comma = static_cast<const char*>(std::memchr(line + at, ',', size_t(length - at)));
    if (!comma) return "the pad name is not followed by a comma";
    if (comma - (line + at) > kMaxName) return "the pad name is longer than 127 characters";
    at = int(comma - line) + 1;

    while (at < length) {
        const char* end = static_cast<const char*>(std::memchr(line + at, ',', size_t(length - at)));
        int fieldEnd = end ? int(end - line) : length;
        const char* field = line + at;
        int fieldLength = fieldEnd - at;
        if (fieldLength > 0) {
            const char* colon = static_cast<const char*>(std::memchr(field, ':', size_t(fieldLength)));
            if (!colon || colon == field) return "a field is not of the form name:value";
            int keyLength = int(colon - field);
            // GLFW drops a whole line that maps half of an output axis ("+leftx:a0"), without a word.
            if (field[0] == '+' || field[0] == '-') {
                static char halfAxis[96];
                std::snprintf(halfAxis, sizeof halfAxis, "the field \"%.*s\" maps half an output axis, which GLFW does not take",
                              keyLength > 24 ? 24 : keyLength, field);
                return halfAxis;
            }
            // An empty source ("guide:") leaves the element unbound.
            int valueLength = fieldLength - keyLength - 1;
            if (IsElementKey(field, keyLength) && valueLength > 0 && !IsElementValue(colon + 1, valueLength))
                return "a button, axis or hat is not of the form b<n>, a<n> or h<n>.<bit>";
        }
        at = fieldEnd + 1;
    }
    return nullptr;
}

bool glfw2_MappingIsForThisPlatform(const char* line, int length) {
    static const char kField[] = "platform:";
    const int fieldLength = int(sizeof kField) - 1;
    const char* platform = host_PlatformName();
    int at = 0;
    while (at < length) {
        const char* end = static_cast<const char*>(std::memchr(line + at, ',', size_t(length - at)));
        int fieldEnd = end ? int(end - line) : length;
        if (at > 0 && line[at - 1] == ',' && fieldEnd - at >= fieldLength &&
            std::strncmp(line + at, kField, size_t(fieldLength)) == 0) {
            // GLFW compares the start of the value only.
            return std::strncmp(line + at + fieldLength, platform, std::strlen(platform)) == 0;
        }
        at = fieldEnd + 1;
    }
    return true;
}

int glfw2_AddGamepadMappings(const char* text, size_t size, const char* origin, FILE* log) {
    if (!text) return 0;
    int added = 0;
    ForEachLine(text, size, [&](const char* line, int length, int number) {
        if (length == 0 || line[0] == '#') return;
        // A line for another system is not for this one; a mapping list holds many, so they go quietly,
        // whatever they hold (another system's lines may use fields this one refuses).
        if (!glfw2_MappingIsForThisPlatform(line, length)) return;
        if (const char* fault = glfw2_MappingLineFault(line, length)) {
            Skipped(log, origin, number, fault);
            return;
        }
        char one[kMaxLine + 1];
        std::memcpy(one, line, size_t(length));
        one[length] = '\0';
        if (glfw2_CurrentJoystickSource().UpdateGamepadMappings(one)) {
            added++;
        } else {
            Skipped(log, origin, number, "GLFW refused it");
        }
    });
    return added;
}

void glfw2_LoadStartupGamepadMappings(FILE* log, const char* folder) {
    std::string dir;
    if (folder) {
        dir = folder;
    } else {
        host_ProgramFolder(dir);  // left empty when unknown: the current folder is read instead
    }
    std::string path = (dir.empty() ? std::string(".") : dir) + "/" + kDatabaseFile;
    std::string text;
    int error = ReadFile(path, text);
    if (error == 0) {
        glfw2_AddGamepadMappings(text.data(), text.size(), path.c_str(), log);
    } else if (error != ENOENT && log) {
        std::fprintf(log, "Vextrallis: game pad mappings not read from %s: %s\n", path.c_str(), std::strerror(error));
    }
    if (const char* env = std::getenv(kEnvironment)) glfw2_AddGamepadMappings(env, std::strlen(env), kEnvironment, log);
}
