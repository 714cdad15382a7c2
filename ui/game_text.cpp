#include "ui/game_text.h"

#include "text/colour_text.h"
#include "text/windows1252.h"

namespace zorbel {

QString gameText(const std::string& bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        text.append(QChar(static_cast<char16_t>(windows1252ToUnicode(static_cast<std::uint8_t>(c)))));
    }
    return text;
}

void addGameRow(GameTextCombo* list, const std::string& bytes) {
    list->addItem(QString::fromStdString(PlainGameText(bytes, list->byteFF())));
    list->setItemData(list->count() - 1, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                      kGameBytesRole);
}

void addGameRow(QListWidget* list, const std::string& bytes) {
    auto* item = new QListWidgetItem(gameText(bytes), list);
    item->setData(Qt::AccessibleTextRole, QString::fromStdString(PlainGameText(bytes, ByteFF::EndsText)));
}

}  // namespace zorbel
