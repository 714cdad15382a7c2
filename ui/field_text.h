#pragma once

#include <QLineEdit>
#include <cstdint>

#include "text/integer_text.h"

namespace zorbel {

// A field's number, read leniently (0, or `fallback`, for any other text).
inline std::int32_t lenientValue(const QLineEdit* field, std::int32_t fallback = 0) {
    return readIntegerLenient(field->text().toStdString(), fallback);
}

// A field's number, read strictly: other text raises the invalid-integer error.
inline std::int32_t strictValue(const QLineEdit* field) {
    return readIntegerStrict(field->text().toStdString());
}

}  // namespace zorbel
