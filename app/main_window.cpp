#include "app/main_window.h"

#include "exe/file_commands.h"

namespace zorbel {

TSDIAppForm::TSDIAppForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("SDIAppForm");
    setWindowTitle(QString::fromLatin1(kEditorCaption));
    resize(496, 399);
}

}  // namespace zorbel
