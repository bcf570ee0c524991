// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace sorvane {

/// The order in which Desktop items are scanned and moved: by name in plain Unicode order,
/// comparing canonical (NFC) forms scalar by scalar, with no locale rules, case folding or
/// numeric ordering ("Zebra" before "apple", "file10" before "file2").
class DesktopOrder {
public:
    static void sort(std::vector<std::string>& names);
};

} // namespace sorvane
