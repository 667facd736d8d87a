#include "analysis/engineoptionsdialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

using Type = EngineOption::Type;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// A file name field with a Browse button beside it.
QWidget* FileField(QWidget* parent, QLineEdit*& edit) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    edit = new QLineEdit(row);
    auto* browse = new QToolButton(row);
    browse->setText(EngineOptionsDialog::tr("Browse..."));
    layout->addWidget(edit);
    layout->addWidget(browse);
    QObject::connect(browse, &QToolButton::clicked, edit, [edit] {
        const QString chosen = QFileDialog::getOpenFileName(
            edit, EngineOptionsDialog::tr("Choose a File"), edit->text());
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    return row;
}

}  // namespace

EngineOptionsDialog::EngineOptionsDialog(const QString& engineName,
                                         const std::vector<EngineOption>& options,
                                         const OptionValues& values, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Options of %1").arg(engineName));
    auto* form = new QWidget;
    auto* formLayout = new QFormLayout(form);
    for (const EngineOption& option : options) {
        if (FindOption({option}, "MultiPV")) continue;
        Field field{option, CreateControl(option)};
        field.control->setParent(form);
        const auto stored = std::find_if(values.begin(), values.end(), [&](const auto& value) {
            return value.first == option.name;
        });
        const bool usable =
            stored != values.end() && OptionValueProblem(option, stored->second).empty();
        Show(field, usable ? std::optional(stored->second) : std::nullopt);
        formLayout->addRow(option.type == Type::Button ? QString() : Text(option.name),
                           field.control);
        m_fields.push_back(std::move(field));
    }
    auto* scroll = new QScrollArea;
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::RestoreDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
            &EngineOptionsDialog::ShowDefaults);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    resize(sizeHint().expandedTo(QSize(480, 400)));
}

QWidget* EngineOptionsDialog::CreateControl(const EngineOption& option) {
    switch (option.type) {
        case Type::Check:
            return new QCheckBox;
        case Type::Spin: {
            auto* spin = new QSpinBox;
            // A range beyond what the control holds is cut to it.
            spin->setRange(static_cast<int>(std::max<long long>(option.min, INT_MIN)),
                           static_cast<int>(std::min<long long>(option.max, INT_MAX)));
            return spin;
        }
        case Type::Combo: {
            auto* combo = new QComboBox;
            for (const std::string& choice : option.choices)
                combo->addItem(Text(choice));
            return combo;
        }
        case Type::String:
            return new QLineEdit;
        case Type::Filename: {
            QLineEdit* edit = nullptr;
            return FileField(nullptr, edit);
        }
        case Type::Button: {
            auto* button = new QPushButton(Text(option.name));
            button->setCheckable(true);
            button->setToolTip(tr("Pressed each time the engine starts"));
            return button;
        }
    }
    return new QLineEdit;
}

void EngineOptionsDialog::Show(const Field& field, const std::optional<std::string>& chosen) {
    QWidget* control = field.control;
    const std::string& value = chosen ? *chosen : field.option.defaultValue;
    switch (field.option.type) {
        case Type::Check:
            static_cast<QCheckBox*>(control)->setChecked(value == "true");
            return;
        case Type::Spin:
            static_cast<QSpinBox*>(control)->setValue(Text(value).toInt());
            return;
        case Type::Combo:
            static_cast<QComboBox*>(control)->setCurrentText(Text(value));
            return;
        case Type::String:
            static_cast<QLineEdit*>(control)->setText(Text(value));
            return;
        case Type::Filename:
            control->findChild<QLineEdit*>()->setText(Text(value));
            return;
        case Type::Button:
            // A pressed button is kept as a value; the default is not to press it.
            static_cast<QPushButton*>(control)->setChecked(chosen.has_value());
            return;
    }
}

std::string EngineOptionsDialog::ValueOf(const Field& field) const {
    QWidget* control = field.control;
    switch (field.option.type) {
        case Type::Check:
            return static_cast<QCheckBox*>(control)->isChecked() ? "true" : "false";
        case Type::Spin:
            return std::to_string(static_cast<QSpinBox*>(control)->value());
        case Type::Combo:
            return static_cast<QComboBox*>(control)->currentText().toStdString();
        case Type::String:
            return static_cast<QLineEdit*>(control)->text().toStdString();
        case Type::Filename:
            return control->findChild<QLineEdit*>()->text().toStdString();
        case Type::Button:
            break;
    }
    return {};
}

EngineOptionsDialog::OptionValues EngineOptionsDialog::Values() const {
    OptionValues values;
    for (const Field& field : m_fields) {
        if (field.option.type == Type::Button) {
            if (static_cast<QPushButton*>(field.control)->isChecked())
                values.emplace_back(field.option.name, "");
            continue;
        }
        std::string value = ValueOf(field);
        if (value != field.option.defaultValue)
            values.emplace_back(field.option.name, std::move(value));
    }
    return values;
}

void EngineOptionsDialog::ShowDefaults() {
    for (const Field& field : m_fields)
        Show(field, std::nullopt);
}
