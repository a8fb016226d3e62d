#pragma once

// GoogleTest names each row of a table after the row's own description,
// turned into the letters, digits and underscores a test name may hold:
// "12,5" is row 12_5. Descriptions must stay unique once turned.

#include <string>
#include <string_view>

namespace quorvela::test {

[[nodiscard]] inline std::string RowName(std::string_view description) {
    std::string name;
    for (const char c : description) {
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        name += plain ? c : '_';
    }
    return name.empty() ? std::string("empty") : name;
}

// For INSTANTIATE_TEST_SUITE_P over rows that carry a `name`.
struct ByRowName {
    template <class Info>
    std::string operator()(const Info& info) const {
        return RowName(info.param.name);
    }
};

}  // namespace quorvela::test
