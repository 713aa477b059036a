#include "dialogs/rules.h"

#include <cstring>

#include "store/leaders.h"
#include "store/settings.h"

NameVerdict CheckLeaderName(const char* name) {
    if (std::strlen(name) > static_cast<size_t>(LeaderNameLength)) {
        return NameVerdict::TooLong;
    }
    for (const char* c = name; *c; c++) {
        auto code = static_cast<unsigned char>(*c);
        if (code < 32 || code > 127) {
            return NameVerdict::NotLatin;
        }
    }
    return NameVerdict::Accepted;
}

const char* NameWarning(NameVerdict verdict) {
    return verdict == NameVerdict::TooLong ? "Maximum length is 8 characters!"
                                           : "Please use only latin letters!";
}

int32_t SpeedFromField(uint32_t field) {
    auto speed = static_cast<int32_t>(field);
    return speed < 1 ? DefaultAnimationSpeed : speed;
}
