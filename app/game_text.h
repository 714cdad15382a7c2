#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace zorbel {

// A game string (Windows-1252 with colour control bytes) as text for a widget.
QString gameText(const std::string& bytes);

// The item data role under which lists keep a row's raw game bytes, for the
// owner-drawn rows.
constexpr int kGameBytesRole = Qt::UserRole + 1;

}  // namespace zorbel
