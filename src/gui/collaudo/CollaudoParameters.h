#pragma once

#include "core/MethodSettings.h"
#include "core/OutcomeBoxes.h"
#include "gui/kit/MethodControls.h"

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class DateField;
class DrawArchive;
class GridView;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QToolButton;

// The parameters of the Collaudo window: the method ("Metodo": the equal ambo or the overdue number, with
// its "Soglia", or one of the player's methods), the ambo window's own kinds of control (the wheel and position grids with their squares,
// the wheel-type boxes, "Adiacenti", "Colpi", the outcome boxes), the range as two dates, the four
// stakes and the out-of-sample date. The controls only the other method has are disabled. The window
// reads them through the accessors and writes a sweep row back through the setters.
class CollaudoParameters : public QWidget {
    Q_OBJECT

public:
    static constexpr int Stakes = 4; // ambata, ambo, terno, quaterna

    explicit CollaudoParameters(const DrawArchive& archive, QWidget* parent = nullptr);

    // Refills the controls for the archive: every wheel and position, the whole archive as range.
    void Form_Load();

    // Giocatore when one of the player's methods is chosen.
    MethodSettings::Metodo metodo() const;
    // The player's methods listed after the two built-in ones: each script file by its name.
    void setScripts(const QStringList& paths);
    // Chooses a script, listing it first when it is not there; an empty path chooses nothing.
    void selectScript(const QString& path);
    // The chosen script's file, or empty for a built-in method.
    QString scriptPath() const;
    // The typed threshold, 0 when the text is no whole number.
    int soglia() const;
    std::array<bool, 11> wheels() const;
    std::array<bool, 5> positions() const;  // positions 1..5
    std::array<bool, 7> wheelTypes() const; // as Ch_RuoteTipo(0..6)
    bool adjacentPositions() const;
    // The typed Colpi, 0 when the text is no whole number.
    int colpi() const;
    // What is wrong with the typed numbers a back-test reads (Colpi, and Soglia for the overdue number), in
    // the words of the tools' options: "Colpi vuole un numero da 1 a 18: "0""; empty when nothing is.
    QString typedNumbersError() const;
    // What is wrong with the dates typed into the range (and the out-of-sample date, when checked and
    // asked for), in the same words; asking forgets it, as the fields show their own dates again.
    QString typedDatesError(bool outOfSample);
    OutcomeBoxes outcomeBoxes() const;
    QDate rangeStart() const;
    QDate rangeEnd() const;
    std::array<double, Stakes> stakes() const;
    std::optional<QDate> outOfSampleFrom() const;

    void setMetodo(MethodSettings::Metodo metodo);
    void setSoglia(int soglia);
    void setWheels(const std::array<bool, 11>& wheels);
    void setPositions(const std::array<bool, 5>& positions);
    void setWheelTypes(const std::array<bool, 7>& types);
    void setAdjacentPositions(bool adjacent);
    void setColpi(int colpi);
    void setOutcomeBoxes(const std::array<bool, 4>& boxes);
    void setStakes(const std::array<double, Stakes>& stakes);
    // Dates outside the archive are brought inside it by the date fields.
    void setRange(const QDate& start, const QDate& end);
    void setOutOfSampleFrom(const std::optional<QDate>& from);

    QComboBox* ComboMetodo = nullptr; // "Ambo uguale", "Ritardatario", then the player's methods
    QComboBox* ComboSoglia = nullptr; // the overdue number's threshold, typed or chosen
    GridView* FgR = nullptr;
    GridView* Fgp = nullptr;
    QToolButton* Label6 = nullptr;  // select every wheel
    QToolButton* Label9 = nullptr;  // deselect every wheel
    QToolButton* Label32 = nullptr; // select every position
    QToolButton* Label30 = nullptr; // deselect every position
    std::array<QCheckBox*, 7> Ch_RuoteTipo{};
    QCheckBox* ChPosAdi = nullptr;
    QComboBox* ComboC = nullptr;   // "Colpi"
    QCheckBox* Ch_1 = nullptr;     // "Ambata"
    QCheckBox* Ch_2 = nullptr;     // "3 ambi"
    QCheckBox* Ch_4 = nullptr;     // "Quartina"
    QCheckBox* Ch_Tutte = nullptr; // quartina on every wheel
    DateField* DtDal = nullptr;
    DateField* DtAl = nullptr;
    std::array<QDoubleSpinBox*, Stakes> SpPosta{};
    QCheckBox* ChFuori = nullptr; // "Fuori campione dal"
    DateField* DtFuori = nullptr;

signals:
    // Any choice changed, by hand or by a setter.
    void changed();

public slots:
    // Enables the chosen method's own controls and disables the other's; a player's method keeps only
    // the range and the out-of-sample date (its bets, wheels, stakes and colpi are its own).
    void ComboMetodo_Change();
    void ChFuori_Toggled(bool checked);

private:
    void buildControls();
    void connectChanges();
    QWidget* buildRangePanel();

    const DrawArchive& m_archive;
    methodControls::SelectionControls m_choosers; // FgR, Fgp and their squares, each chooser its own handlers
};
