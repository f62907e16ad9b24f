#pragma once
// The built-in blocklist the HOSTS window starts out with: a HOSTS file of a
// banner, the loopback line and the entries that send malware sites to 0.0.0.0,
// lines joined by CR LF with no break after the last. Built from
// src/hosts/blocklist.txt, whose names come from maltrail's threat lists, each
// traced in src/hosts/blocklist_provenance.tsv (see
// tools/blocklist/generate_blocklist.py).

#include <string_view>

namespace quellbrook {

std::u16string_view BuiltInBlocklist();

}  // namespace quellbrook
