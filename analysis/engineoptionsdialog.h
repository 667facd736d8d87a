#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/engineoption.h"

// The options an engine offers, each with a control of its kind (a check box, a number, a
// list of choices, a text, a file name with Browse, a button to press at each start), set to
// the value the user chose or else to the engine's own default. Only values apart from the
// defaults are kept, so that the engine's defaults hold wherever the user chose nothing.
// MultiPV is left out: the analysis pane sets it.
class EngineOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    using OptionValues = std::vector<std::pair<std::string, std::string>>;

    EngineOptionsDialog(const QString& engineName, const std::vector<EngineOption>& options,
                        const OptionValues& values, QWidget* parent = nullptr);

    // The values apart from the defaults, in the engine's order; a pressed button with an
    // empty value.
    OptionValues Values() const;

  private:
    struct Field {
        EngineOption option;
        QWidget* control = nullptr;
    };
    QWidget* CreateControl(const EngineOption& option);
    // Shows the value chosen, or the default when none is.
    void Show(const Field& field, const std::optional<std::string>& chosen);
    std::string ValueOf(const Field& field) const;
    void ShowDefaults();

    std::vector<Field> m_fields;
};
