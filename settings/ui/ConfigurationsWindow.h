#pragma once

#include "config/Configuration.h"

#include <QDialog>

#include <optional>
#include <span>
#include <utility>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace ferrowind {

class Dialogs;
class FramedBox;
struct PathField;

// The Configurations window: tool paths, folders, console colours and the log viewer. It edits a copy of the
// configuration; nothing changes unless the user presses "Ok".
class ConfigurationsWindow : public QDialog {
    Q_OBJECT
public:
    enum class Page {
        HalfLife = 0,
        HalfLife2 = 1
    };

    explicit ConfigurationsWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    void selectPage(Page page);

    // Shows the values modally; the edited configuration when the user presses "Ok", nothing otherwise.
    std::optional<Configuration> edit(const Configuration& configuration);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makePathPage(const char* name, std::span<const PathField> fields);
    QWidget* makeGeneralPage();
    void makeColorGroup(QWidget* page);
    void makeLogViewerGroup(QWidget* page);

    void load(const Configuration& configuration);
    Configuration stored(Configuration configuration) const;
    void choosePath(const PathField& field, QLineEdit* edit);
    // Each list keeps apart from the other when chosen, then the sample shows its colour.
    void textColorChosen();
    void backColorChosen();

    Dialogs& dialogs_;
    QTabWidget* pages_;
    std::vector<std::pair<const PathField*, QLineEdit*>> pathEdits_;
    QComboBox* textColor_ = nullptr;
    QComboBox* backColor_ = nullptr;
    FramedBox* sample_ = nullptr;
    QLabel* sampleText_ = nullptr;
    QLineEdit* logViewer_ = nullptr;
};

} // namespace ferrowind
