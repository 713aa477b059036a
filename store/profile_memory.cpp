#include "store/profile_memory.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "shell/platform.h"

namespace {
constexpr int32_t FileCount = 8;
constexpr int32_t PathCapacity = 1024; // a settings path of UTF-8 fits

struct ProfileFile {
    bool exists;
    bool readOnly;
    char path[PathCapacity];
    int32_t length;
    char text[ProfileTextCapacity];
};
ProfileFile Files[FileCount];
char Scratch[ProfileTextCapacity]; // a write composes the new text here

bool SameName(const char* a, int32_t aLength, const char* b, int32_t bLength) {
    if (aLength != bLength) {
        return false;
    }
    for (int32_t i = 0; i < aLength; i++) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool SameName(const char* a, int32_t aLength, const char* b) {
    return SameName(a, aLength, b, static_cast<int32_t>(std::strlen(b)));
}

ProfileFile* FindFile(const char* path) {
    for (ProfileFile& file : Files) {
        if (file.exists &&
            SameName(file.path, static_cast<int32_t>(std::strlen(file.path)), path)) {
            return &file;
        }
    }
    return nullptr;
}

ProfileFile* MakeFile(const char* path) {
    ProfileFile* file = FindFile(path);
    if (file) {
        return file;
    }
    if (std::strlen(path) >= static_cast<size_t>(PathCapacity)) {
        return nullptr;
    }
    for (ProfileFile& free : Files) {
        if (!free.exists) {
            free.exists = true;
            free.readOnly = false;
            std::strcpy(free.path, path);
            free.length = 0;
            return &free;
        }
    }
    return nullptr;
}

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Start and end of a run of text with the blanks around it taken off.
struct Span {
    const char* start;
    const char* end;
    int32_t Length() const {
        return static_cast<int32_t>(end - start);
    }
};

Span Trim(const char* start, const char* end) {
    while (start < end && IsBlank(*start)) {
        start++;
    }
    while (end > start && IsBlank(end[-1])) {
        end--;
    }
    return Span{start, end};
}

// One line of the file: a section header, or a key with or without a value (a comment is a
// key without one). Blank lines are skipped, as the reader drops them.
struct Line {
    bool section;
    Span name;
    bool hasValue;
    Span value;
};

bool NextLine(const char** at, const char* end, Line* line) {
    for (;;) {
        if (*at >= end) {
            return false;
        }
        const char* start = *at;
        const char* stop =
            static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
        *at = stop ? stop + 1 : end;
        Span text = Trim(start, stop ? stop : end);
        if (text.Length() == 0) {
            continue;
        }
        if (*text.start == '[') {
            const char* close = text.end - 1;
            while (close > text.start && *close != ']') {
                close--;
            }
            if (close > text.start) {
                *line = Line{true, Span{text.start + 1, close}, false, {}};
                return true;
            }
        }
        auto equals = static_cast<const char*>(
            std::memchr(text.start, '=', static_cast<size_t>(text.Length())));
        if (equals) {
            *line = Line{false, Trim(text.start, equals), true, Trim(equals + 1, text.end)};
        } else {
            *line = Line{false, text, false, {}};
        }
        return true;
    }
}

// The value of a key in the first section of that name, as stored.
bool FindValue(const ProfileFile* file, const char* section, const char* key, Span* value) {
    const char* at = file->text;
    const char* end = file->text + file->length;
    bool inSection = false;
    bool sectionSeen = false;
    Line line;
    while (NextLine(&at, end, &line)) {
        if (line.section) {
            if (sectionSeen) {
                return false;
            }
            inSection = SameName(line.name.start, line.name.Length(), section);
            sectionSeen = inSection;
        } else if (inSection && SameName(line.name.start, line.name.Length(), key)) {
            if (!line.hasValue) {
                return false;
            }
            *value = line.value;
            return true;
        }
    }
    return false;
}

// Appends to the scratch text; false once it is full.
struct Writer {
    int32_t length;
    bool Put(const char* text, int32_t count) {
        if (length + count > ProfileTextCapacity) {
            return false;
        }
        std::memcpy(Scratch + length, text, static_cast<size_t>(count));
        length += count;
        return true;
    }
    bool Put(Span span) {
        return Put(span.start, span.Length());
    }
    bool Put(const char* text) {
        return Put(text, static_cast<int32_t>(std::strlen(text)));
    }
    bool Key(Span name, bool hasValue, Span value) {
        return Put(name) && (!hasValue || (Put("=") && Put(value))) && Put("\r\n");
    }
    bool Section(Span name) {
        return Put("[") && Put(name) && Put("]\r\n");
    }
};

Span Whole(const char* text) {
    return Span{text, text + std::strlen(text)};
}

// The whole text again with the key set: replaced where it stands in the first section of
// that name, else added at the end of that section, else in a new section at the end.
// Its length, or 0 when it does not fit.
int32_t ComposeWithKey(const ProfileFile* file, const char* section, const char* key,
                       const char* value) {
    Writer out{0};
    Span newValue = Trim(value, value + std::strlen(value));
    const char* at = file->text;
    const char* end = file->text + file->length;
    bool inSection = false;
    bool done = false;
    Line line;
    while (NextLine(&at, end, &line)) {
        if (line.section) {
            if (inSection && !done) {
                done = out.Key(Whole(key), true, newValue);
                if (!done) {
                    return 0;
                }
            }
            inSection = !done && SameName(line.name.start, line.name.Length(), section);
            if (!out.Section(line.name)) {
                return 0;
            }
        } else if (inSection && !done && SameName(line.name.start, line.name.Length(), key)) {
            done = out.Key(line.name, true, newValue);
            if (!done) {
                return 0;
            }
        } else if (!out.Key(line.name, line.hasValue, line.value)) {
            return 0;
        }
    }
    if (!done && !inSection && !out.Section(Whole(section))) {
        return 0;
    }
    if (!done && !out.Key(Whole(key), true, newValue)) {
        return 0;
    }
    return out.length;
}
} // namespace

bool SetProfileFileText(const char* path, const char* text, int32_t length) {
    ProfileFile* file = MakeFile(path);
    if (!file || length < 0 || length > ProfileTextCapacity) {
        return false;
    }
    std::memcpy(file->text, text, static_cast<size_t>(length));
    file->length = length;
    return true;
}

int32_t ProfileFileText(const char* path, char* buffer, int32_t size) {
    const ProfileFile* file = FindFile(path);
    int32_t length = file ? file->length : -1;
    if (size > 0) {
        int32_t copied = length < 0 ? 0 : (length < size ? length : size - 1);
        if (copied > 0) {
            std::memcpy(buffer, file->text, static_cast<size_t>(copied));
        }
        buffer[copied] = '\0';
    }
    return length;
}

void ForgetProfileFiles() {
    for (ProfileFile& file : Files) {
        file.exists = false;
    }
}

// A value in quotes of either kind loses them; when it is cut, its closing quote stays.
void ReadProfileText(const char* section, const char* key, const char* fallback, char* buffer,
                     uint32_t size, const char* path) {
    if (size == 0) {
        return;
    }
    const ProfileFile* file = FindFile(path);
    Span value;
    if (!file || !FindValue(file, section, key, &value)) {
        value = Whole(fallback);
    }
    bool quoted = value.Length() >= 2 && (*value.start == '"' || *value.start == '\'') &&
                  value.end[-1] == *value.start;
    if (quoted) {
        value.start++;
    }
    auto length = static_cast<uint32_t>(value.Length());
    uint32_t copied = length < size ? length : size - 1;
    std::memcpy(buffer, value.start, copied);
    buffer[copied] = '\0';
    if (quoted && copied == length) {
        buffer[copied - 1] = '\0';
    }
}

// The number at the start of the value, with its sign, in decimal or with a 0x, 0o or 0b
// prefix, wrapping at 32 bits; an empty value reads as the fallback.
int32_t ReadProfileInt(const char* section, const char* key, int32_t fallback, const char* path) {
    char text[30];
    ReadProfileText(section, key, "", text, sizeof text, path);
    if (text[0] == '\0') {
        return fallback;
    }
    const char* at = text;
    while (IsBlank(*at)) {
        at++;
    }
    bool negative = *at == '-';
    at += negative || *at == '+' ? 1 : 0;
    uint32_t base = 10;
    if (at[0] == '0' && (at[1] == 'x' || at[1] == 'o' || at[1] == 'b')) {
        base = at[1] == 'x' ? 16 : (at[1] == 'o' ? 8 : 2);
        at += 2;
    }
    uint32_t result = 0;
    for (;; at++) {
        int digit = std::isdigit(static_cast<unsigned char>(*at))
                        ? *at - '0'
                        : (std::isalpha(static_cast<unsigned char>(*at))
                               ? std::tolower(static_cast<unsigned char>(*at)) - 'a' + 10
                               : 99);
        if (static_cast<uint32_t>(digit) >= base) {
            break;
        }
        result = result * base + static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(negative ? 0u - result : result);
}

bool WriteProfileText(const char* section, const char* key, const char* value, const char* path) {
    ProfileFile* file = MakeFile(path);
    if (!file) {
        return false;
    }
    int32_t length = ComposeWithKey(file, section, key, value);
    if (length == 0) {
        return false;
    }
    std::memcpy(file->text, Scratch, static_cast<size_t>(length));
    file->length = length;
    return true;
}

bool SetProfileFileReadOnly(const char* path, bool readOnly) {
    ProfileFile* file = FindFile(path);
    if (file) {
        file->readOnly = readOnly;
    }
    return file != nullptr;
}

// Files in memory are never links, nor held back in a cache.
bool ResolveProfileLink(const char* path, char* target, uint32_t size) {
    std::snprintf(target, size, "%s", path);
    return true;
}

bool ProfileFileReadOnly(const char* path) {
    const ProfileFile* file = FindFile(path);
    return file && file->readOnly;
}

// Each file has a disk of its own: the room it has left to grow.
bool DiskFullAt(const char* path) {
    const ProfileFile* file = FindFile(path);
    return static_cast<uint64_t>(ProfileTextCapacity - (file ? file->length : 0)) < SaveRoom;
}

bool FlushProfileFile(const char* path) {
    return FindFile(path) != nullptr;
}

bool CopyProfileFile(const char* from, const char* to) {
    const ProfileFile* source = FindFile(from);
    return source ? SetProfileFileText(to, source->text, source->length)
                  : SetProfileFileText(to, "", 0);
}

bool ReplaceProfileFile(const char* from, const char* to) {
    ProfileFile* source = FindFile(from);
    if (!source || !SetProfileFileText(to, source->text, source->length)) {
        RemoveProfileFile(from);
        return false;
    }
    RemoveProfileFile(from);
    return true;
}

void RemoveProfileFile(const char* path) {
    ProfileFile* file = FindFile(path);
    if (file) {
        file->exists = false;
    }
}
