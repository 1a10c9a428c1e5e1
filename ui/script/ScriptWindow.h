// A conversation as the player reads it, one info at a time: the path read so far above,
// the lines of the info read, then its choices numbered with their conditions beside
// them. A click on a choice or its number key follows it, Back steps back. Conditions
// can be marked false for this reading (nothing is written) and the choices that need
// one hidden. Saves, renames and changed display texts show at once.
#pragma once

#include "library/ConversationScript.h"

#include <QWidget>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;

namespace VaskEdit {

class ReferenceService;
class ScriptChoicesModel;
class ScriptRowsModel;

class ScriptWindow : public QWidget {
    Q_OBJECT

public:
    // The reading of the start, from the reference index as it is (built).
    ScriptWindow(ScriptStart start, ReferenceService* references, QWidget* parent = nullptr);
    ~ScriptWindow() override;

    // Opens a window on the start; says why and gives null when there is nothing to read.
    static ScriptWindow* Open(QWidget* parent, const ScriptStart& start,
                              ReferenceService* references);

    const std::vector<ScriptStep>& Path() const { return path; }
    const std::string& Refusal() const { return refusal; }
    QListView* PathView() const { return pathView; }
    QListView* LinesView() const { return linesView; }
    QTableView* ChoicesView() const { return choicesView; }
    ScriptRowsModel* Lines() const { return linesModel; }
    ScriptChoicesModel* Choices() const { return choicesModel; }
    QPushButton* BackButton() const { return backButton; }
    QRadioButton* ShowAllButton() const { return showAll; }
    QRadioButton* HideMarkedButton() const { return hideMarked; }

    // Follows the choice of that number (from 1) when it is shown; false otherwise.
    bool FollowNumber(int number);
    // Steps back to the info read before; false at the start.
    bool Back();
    // Goes back to the step of the path (from 0).
    void BackTo(std::size_t step);
    void MarkFalse(const std::string& condition, bool marked);
    const std::set<std::string>& MarkedFalse() const { return markedFalse; }
    // The actions that mark the conditions of a choice (from 0) false.
    void FillMarkMenu(QMenu& menu, int choice);
    // Opens the info of a line in an editor with its command selected.
    bool OpenLine(int row);
    // Reads the infos again and the path as far as it still leads.
    void Refresh();

private:
    void Follow(std::size_t choice);
    void Show();
    void ShowPath();
    void ShowStep();
    void ShowMarks();
    void ShowChoicesMenu(const QPoint& position);

    ScriptStart start;
    std::vector<InfoOutline> infos;
    std::unique_ptr<ScriptIndex> index; // over infos
    std::vector<ScriptStep> path;       // the last is the step shown
    std::string refusal;
    std::set<std::string> markedFalse;

    QListView* pathView;
    QLabel* heading;
    QListView* linesView;
    QLabel* choicesLabel;
    QTableView* choicesView;
    QPushButton* backButton;
    QRadioButton* showAll;
    QRadioButton* hideMarked;
    QLabel* marks;
    QPushButton* clearMarks;
    ScriptRowsModel* pathModel;
    ScriptRowsModel* linesModel;
    ScriptChoicesModel* choicesModel;
};

// The window's title for the start: "Script - NAME", "Script - owner NAME", ...
QString ScriptTitle(const ScriptStart& start);

} // namespace VaskEdit
