// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zodivane::chartfile {

/// What a person calls the field a chart file's key holds: the input form's
/// caption ("Time of Birth, hour" for "cboHHText"), or for the keys beside
/// the entries what they keep ("the place chosen with the finder"). Nothing
/// for a key the program does not know.
[[nodiscard]] std::optional<std::string_view> FieldName(std::string_view key) noexcept;

/// A reader's message in the words of the form: a message about one key
/// (`key "cmbTimeZoneIndex" must be ...`) begins with the field's name and
/// keeps the key in brackets for whoever edits the file by hand
/// (`Zone (key "cmbTimeZoneIndex") must be ...`). Other messages are returned
/// as they are.
[[nodiscard]] std::string InFieldNames(std::string_view message);

}  // namespace zodivane::chartfile
