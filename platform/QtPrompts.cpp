#include "platform/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace pixmill {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QWidget* QtPrompts::Owner() const {
    // A dialog owned by a disabled window would be disabled with it, and a
    // window is disabled while the properties dialog is open: then the dialog
    // in front owns the question.
    if (owner_ != nullptr && owner_->isEnabled()) {
        return owner_;
    }
    QWidget* active = QApplication::activeWindow();
    return active != nullptr && active->isEnabled() ? active : nullptr;
}

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = Q(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        // Qt takes the patterns from the parentheses of the description.
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << (description.contains(QLatin1Char('(')) ? description
                                                           : description + " (" + pattern + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

QString QtOpenFileFilter(const std::string& filter) {
    QString filters = QtFileFilter(filter);
    if (!filters.isEmpty()) {
        filters += QStringLiteral(";;");
    }
    return filters + QStringLiteral("All files (*)");
}

void QtPrompts::RememberFile(const std::string& path) {
    folders_->RememberFile(path);
}

QString QtPrompts::StartIn(const std::string& fileName, const std::string& filter) const {
    return fileName.empty() ? Q(folders_->StartFolder(filter)) : Q(fileName);
}

MessageAnswer QtPrompts::MsgBox(const std::string& text, MessageIcon icon, MessageButtons buttons,
                                const std::string& title) {
    QMessageBox box(icon == MessageIcon::Question ? QMessageBox::Question : QMessageBox::Warning,
                    Q(title), Q(text), QMessageBox::NoButton, Owner());
    // Paths and names are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            box.exec();
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::SaveDiscardCancel: {
            box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Save);
            box.setEscapeButton(QMessageBox::Cancel);
            const int answer = box.exec();
            return answer == QMessageBox::Save      ? MessageAnswer::Save
                   : answer == QMessageBox::Discard ? MessageAnswer::Discard
                                                    : MessageAnswer::Cancel;
        }
        case MessageButtons::RecoverDiscard: {
            QPushButton* recover =
                box.addButton(QStringLiteral("Recover"), QMessageBox::AcceptRole);
            QPushButton* discard = box.addButton(QMessageBox::Discard);
            box.setDefaultButton(recover);
            box.exec();
            return box.clickedButton() == recover   ? MessageAnswer::Recover
                   : box.clickedButton() == discard ? MessageAnswer::Discard
                                                    : MessageAnswer::Cancel;
        }
    }
    return MessageAnswer::Cancel;
}

std::string QtPrompts::InputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    QInputDialog box(Owner());
    box.setWindowTitle(Q(title));
    box.setLabelText(Q(prompt));
    box.setTextValue(Q(defaultText));
    // Wide enough that the window frame shows the whole title; the dialog
    // sizes itself to its contents, so the room goes to its text box.
    if (auto* answerBox = box.findChild<QLineEdit*>()) {
        answerBox->setMinimumWidth(QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) +
                                   120);
    }
    if (box.exec() != QDialog::Accepted) {
        return {};
    }
    return box.textValue().toStdString();
}

int QtPrompts::ChooseItem(const std::string& prompt, const std::string& title,
                          const std::vector<std::string>& items) {
    QStringList lines;
    for (const std::string& item : items) {
        lines << Q(item);
    }
    QInputDialog box(Owner());
    box.setWindowTitle(Q(title));
    box.setLabelText(Q(prompt));
    box.setComboBoxItems(lines);
    // A list, so that every choice shows at once and a double click takes one.
    box.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (box.exec() != QDialog::Accepted) {
        return -1;
    }
    return static_cast<int>(lines.indexOf(box.textValue()));
}

std::string QtPrompts::ShowOpen(const std::string& fileName, const std::string& filter) {
    // The open dialog accepts a typed name of a file that does not exist; the
    // command that reads it reports that.
    QFileDialog dialog(Owner(), QString(), StartIn(fileName, filter), QtOpenFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const std::string chosen = dialog.selectedFiles().constFirst().toStdString();
    folders_->Remember(filter, chosen);
    return chosen;
}

std::string QtPrompts::ShowSave(const std::string& fileName, const std::string& filter) {
    // The command asks about an existing file itself, so the dialog must not.
    const QString chosen = QFileDialog::getSaveFileName(
        Owner(), QString(), StartIn(fileName, filter), QtFileFilter(filter), nullptr,
        QFileDialog::DontConfirmOverwrite);
    folders_->Remember(filter, chosen.toStdString());
    return chosen.toStdString();
}

}  // namespace pixmill
