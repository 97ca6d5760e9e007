#include "tests/support/CommaLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace corvanis_test {

std::string CommaLocale() {
#if defined(_WIN32)
    const char* const candidates[] = {"German_Germany.1252", "French_France.1252"};
#else
    const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"};
#endif
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const char* name : candidates) {
            if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
            char sample[32];
            std::snprintf(sample, sizeof sample, "%f", 1.5);
            std::setlocale(LC_NUMERIC, "C");
            if (std::string(sample) == "1,500000") return name;
        }
#if defined(CORVANIS_TEST_LOCALES)
        if (attempt == 0) setenv("LOCPATH", CORVANIS_TEST_LOCALES, 1);
#endif
    }
    return {};
}

}  // namespace corvanis_test
