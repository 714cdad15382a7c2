#pragma once

#include <QByteArray>
#include <QListWidget>
#include <QString>
#include <string>

#include "ui/game_text_list.h"

namespace zorbel {

// A game string (Windows-1252 with colour control bytes) as text for a widget.
QString gameText(const std::string& bytes);

// The item data role under which lists keep a row's raw game bytes, for the
// owner-drawn rows.
constexpr int kGameBytesRole = Qt::UserRole + 1;

// Adds a row of game text to a drop-down list of game texts: its raw bytes
// for drawing, and as its text what the row shows, without colour codes,
// which is what a screen reader reads.
void addGameRow(GameTextCombo* list, const std::string& bytes);
// Adds a row of game text to a plain list; a screen reader reads it
// without its colour codes.
void addGameRow(QListWidget* list, const std::string& bytes);

}  // namespace zorbel
