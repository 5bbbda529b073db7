#pragma once

#include "gui/kit/GridModel.h"

#include <QWidget>
#include <array>

class DrawArchive;
class GridView;
class HelpService;
class Prompts;
class QButtonGroup;
class QLabel;
class QScrollBar;
class QToolButton;

// The mini list ("Mini elenco"): one draw at a time, its eleven wheels with their five numbers, its
// index, date and progressive numbers in month and year. The scroll bar moves through the archive,
// two buttons jump to a draw by index or by date, and clicking a number marks it green.
class Estrazioni_minielenco : public QWidget {
    Q_OBJECT

public:
    static constexpr int HelpContext = 200;
    static constexpr GridModel::Colour MarkColour = 65280; // green: a marked number
    static constexpr GridModel::Colour PlainColour = GridModel::White;

    Estrazioni_minielenco(DrawArchive& archive, Prompts& prompts, HelpService& help,
                          QWidget* parent = nullptr);

    QScrollBar* hs1 = nullptr;
    GridView* Fg3 = nullptr;
    QLabel* Label1 = nullptr;                // date
    QLabel* Label2 = nullptr;                // DrawIndex
    QLabel* Label3 = nullptr;                // progressive numbers in month and year
    std::array<QToolButton*, 2> Command42{}; // 0: index choice, 1: date search
    QToolButton* Command81 = nullptr;        // "Resetta colorazione"
    QToolButton* Command56 = nullptr;        // "Ultima estrazione": nothing attached

public slots:
    void Form_Load();
    void hs1_Change();
    void Command42_Click(int index);
    void Command81_Click();
    void Fg3_CurrentCellChanged();

private:
    void buildControls();
    void fitGridToContents();
    GridModel& grid() const;

    DrawArchive& m_archive;
    Prompts& m_prompts;
    HelpService& m_help;
    QButtonGroup* m_command42Group = nullptr;
};
