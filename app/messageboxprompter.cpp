#include "app/messageboxprompter.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace {

// The caption of every box: the application's title.
QString Caption() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Marlock") : name;
}

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, Caption(), text, buttons, parent);
    // File names and record texts may hold '<' and '&': never markup.
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool MessageBoxPrompter::AskYesNo(const QString& text) {
    return Ask(m_parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::AskYesNoCancel(const QString& text) {
    switch (Ask(m_parent, QMessageBox::Warning, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            // Closing the box with Escape or its close button cancels.
            return Answer::Cancel;
    }
}

void MessageBoxPrompter::ShowMessage(const QString& text) {
    Ask(m_parent, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}
