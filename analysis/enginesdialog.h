#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "analysis/enginelist.h"
#include "engine/engineoption.h"

class EngineProbe;
class QLabel;
class QListWidget;
class QPushButton;

// Engine > Engines...: the engines set up, each by its name and program, the current one
// marked. Add reads a new engine's name from the program itself, Remove drops the selected
// one, Options edits the values it is given (read from the engine each time, with its own
// defaults), Use for Analysis makes it the current one. The engine is started for a moment
// without holding up the window. Nothing is kept until OK; the caller saves List().
class EnginesDialog : public QDialog {
    Q_OBJECT

  public:
    // Chooses the program of a new engine; an empty answer means the user cancelled.
    using PathChooser = std::function<QString()>;

    explicit EnginesDialog(EngineList list, QWidget* parent = nullptr);

    const EngineList& List() const { return m_list; }
    void SetPathChooser(PathChooser chooser) { m_choosePath = std::move(chooser); }
    // Starts the program to read its name and adds it; the line under the list says how it
    // went.
    void AddEngine(const QString& path);
    QListWidget* EngineListView() const { return m_engines; }

  private:
    enum class Purpose { Add, EditOptions };
    void Probe(const QString& path, Purpose purpose);
    void OnProbed(const QString& path, const QString& name,
                  const std::vector<EngineOption>& options);
    void EditOptions(int index, const std::vector<EngineOption>& options);
    void ShowList(int selected);
    void UpdateButtons();
    int SelectedIndex() const;

    EngineList m_list;
    PathChooser m_choosePath;
    EngineProbe* m_probe = nullptr;
    Purpose m_purpose = Purpose::Add;
    QListWidget* m_engines = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_remove = nullptr;
    QPushButton* m_options = nullptr;
    QPushButton* m_use = nullptr;
};
