#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <string>

namespace zorbel {

// A game string (Windows-1252 with colour control bytes) as text for a widget.
QString gameText(const std::string& bytes);

// The item data role under which lists keep a row's raw game bytes, for the
// owner-drawn rows.
constexpr int kGameBytesRole = Qt::UserRole + 1;

// Adds a row of game text to a list, keeping its raw bytes for drawing.
void addGameRow(QComboBox* list, const std::string& bytes);

}  // namespace zorbel
