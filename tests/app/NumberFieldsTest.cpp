// Every number a player types into a window, fed the texts a hurried or curious player types: each is
// refused in a box with the words the tools use for their options, and nothing runs, so that the results
// on screen stay those of the last accepted choice.

#include "ArchiveBuilder.h"
#include "ScriptedServices.h"
#include "WindowDriving.h"
#include "core/CaseSearch.h"
#include "core/MethodSettings.h"
#include "gui/ambo/AmboOltreFrm.h"
#include "gui/collaudo/CollaudoFrm.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridView.h"
#include "gui/kit/Palette.h"
#include "gui/statistiche/StatisticheFrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string_view>

namespace {

class QuietFrame : public FrameServices {
public:
    void setProgressMaximum(int) override {}
    void setProgressValue(int) override {}
    void showDraw(int) override {}
};

enum class Window { Collaudo, Ambo, Statistiche };

struct NumberField {
    const char* name;
    Window window;
    const char* control; // an editable drop-down, or a date field when high is 0
    const char* command; // the button that reads it
    const char* caption; // how the box names it
    int low = 0;
    int high = 0;
    bool overdue = false;     // the Collaudo window's "Metodo" on "Ritardatario"
    bool outOfSample = false; // its "Fuori campione dal" checked
    bool date() const { return high == 0; }
};

// Where a run writes, and where a sentinel text is put to see whether anything ran: a label, or a grid's cell.
struct Probe {
    const char* control;
    int row = -1;
    int col = -1;
};

class NumberFields : public ::testing::Test {
protected:
    NumberFields() {
        ArchiveBuilder build(archive);
        build.randomDraws(400, 23);
        build.finish(1);
        palette.SettaValoriBase();
    }

    QWidget& open(const NumberField& field) {
        if (field.window == Window::Collaudo) {
            auto collaudo = std::make_unique<CollaudoFrm>(archive, palette, prompts, help, frame);
            if (field.overdue)
                collaudo->Parametri->setMetodo(MethodSettings::Metodo::Ritardatario);
            collaudo->Parametri->ChFuori->setChecked(field.outOfSample);
            window = std::move(collaudo);
        } else if (field.window == Window::Ambo) {
            window = std::make_unique<AmboOltreFrm>(archive, palette, prompts, help, frame);
        } else {
            window = std::make_unique<StatisticheFrm>(archive, prompts, help, frame);
        }
        window->resize(1250, 760);
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents();
        return *window;
    }

    static Probe probeOf(const NumberField& field) {
        if (field.window == Window::Ambo)
            return {"FgS", 2, 1};
        if (field.window == Window::Statistiche)
            return {"LblFrase"};
        return std::string_view(field.command) == "CmdEsplora" ? Probe{"LblEsplora"} : Probe{"FgRiepilogo", 1, 1};
    }

    QString probed(const Probe& probe) const {
        if (probe.row < 0)
            return findControl<QLabel>(*window, probe.control)->text();
        return findControl<GridView>(*window, probe.control)->gridModel()->text(probe.row, probe.col);
    }
    void plant(const Probe& probe) {
        if (probe.row < 0)
            findControl<QLabel>(*window, probe.control)->setText(QStringLiteral("sentinella"));
        else
            findControl<GridView>(*window, probe.control)
                ->gridModel()
                ->setText(probe.row, probe.col, QStringLiteral("sentinella"));
    }

    // Types over the whole text, as a player who selects it and types anew.
    void type(const NumberField& field, const QString& text) {
        if (field.date()) {
            // The day's two digits rubbed out, then the text typed in their place: the field's own filter
            // lets through only what a date can hold.
            auto* date = findControl<DateField>(*window, field.control);
            auto* edit = date->findChild<QLineEdit*>();
            date->setFocus();
            edit->setCursorPosition(2);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, text);
            return;
        }
        auto* combo = findControl<QComboBox>(*window, field.control);
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(combo->lineEdit(), text);
        ASSERT_EQ(combo->currentText(), text);
    }

    // ESPLORA runs on a worker: its results are there once it ends.
    void waitForSweep(const NumberField& field) {
        if (std::string_view(field.command) != "CmdEsplora")
            return;
        auto& collaudo = static_cast<CollaudoFrm&>(*window);
        EXPECT_TRUE(QTest::qWaitFor([&collaudo] { return !collaudo.sweepRunning(); }, 60000));
        QCoreApplication::processEvents();
    }

    QString shownText(const NumberField& field) const {
        return field.date() ? findControl<DateField>(*window, field.control)->text()
                            : findControl<QComboBox>(*window, field.control)->currentText();
    }

    // The box's words: the tools' for a number, the same form for a date of the field's range.
    QString refusal(const NumberField& field, const QString& typed) const {
        if (!field.date())
            return QStringLiteral("%1 vuole un numero da %2 a %3: \"%4\"")
                .arg(QString::fromUtf8(field.caption))
                .arg(field.low)
                .arg(field.high)
                .arg(typed);
        const auto* date = findControl<DateField>(*window, field.control);
        return QStringLiteral("%1 vuole una data GG/MM/AAAA dal %2 al %3: \"%4\"")
            .arg(QString::fromUtf8(field.caption), date->minimumDate().toString(QStringLiteral("dd/MM/yyyy")),
                 date->maximumDate().toString(QStringLiteral("dd/MM/yyyy")), typed);
    }

    DrawArchive archive;
    Palette palette;
    ScriptedPrompts prompts;
    RecordingHelp help;
    QuietFrame frame;
    std::unique_ptr<QWidget> window;
};

TEST_F(NumberFields, NonsenseIsRefusedInABoxAndNothingRuns) {
    const NumberField fields[] = {
        {"collaudoColpi", Window::Collaudo, "ComboC", "CmdCollauda", "Colpi", 1, MethodSettings::MaxColpi},
        {"collaudoColpiOverdue", Window::Collaudo, "ComboC", "CmdCollauda", "Colpi", 1,
         MethodSettings::MaxColpi, true},
        {"collaudoSoglia", Window::Collaudo, "ComboSoglia", "CmdCollauda", "Soglia", 1, MethodSettings::MaxSoglia,
         true},
        {"amboColpiElabora", Window::Ambo, "ComboC", "Cmd_Ambiuguali", "Colpi", 1, MethodSettings::MaxColpi},
        {"amboColpiVerifica", Window::Ambo, "ComboC", "Command1", "Colpi", 1, MethodSettings::MaxColpi},
        {"amboCasi", Window::Ambo, "ComboNC", "Cmd_Ambiuguali", "N° Casi", 1, MaxCases},
        {"collaudoDal", Window::Collaudo, "DtDal", "CmdCollauda", "Dal"},
        {"collaudoAl", Window::Collaudo, "DtAl", "CmdCollauda", "Al"},
        // The overdue number's sweep, the quicker: the dates are read the same way for both methods.
        {"esploraDal", Window::Collaudo, "DtDal", "CmdEsplora", "Dal", 0, 0, true},
        {"esploraFuoriCampione", Window::Collaudo, "DtFuori", "CmdEsplora", "Fuori campione dal", 0, 0, true,
         true},
        {"statisticheDal", Window::Statistiche, "DtDal", "CmdCalcola", "Dal"},
        {"statisticheAl", Window::Statistiche, "DtAl", "CmdCalcola", "Al"},
        // The stakes (SpPosta_0..3) join this table with their own rule; a player's script's parameters
        // join it when the Collaudo window offers them.
    };
    for (const NumberField& field : fields) {
        SCOPED_TRACE(field.name);
        open(field);
        const Probe probe = probeOf(field);
        const QString good = shownText(field);
        // A search first, so that VERIFICA has cases to verify and the window has results to keep.
        clickButton(*window, field.window == Window::Ambo ? "Cmd_Ambiuguali" : field.command);
        waitForSweep(field);
        ASSERT_TRUE(prompts.messages().empty()) << prompts.messages().front().text.toStdString();

        const QString nonsense[] = {QString(), QStringLiteral("0"), QStringLiteral("-3"),
                                    field.date() ? QStringLiteral("99999999") : QString::number(field.high + 1),
                                    QStringLiteral("abc"), QStringLiteral("2.5"), QStringLiteral("2,5")};
        for (const QString& text : nonsense) {
            SCOPED_TRACE(text.toStdString());
            plant(probe);
            prompts.clear();
            type(field, text);
            const QString typed = shownText(field);
            clickButton(*window, field.command);
            waitForSweep(field);
            if (field.date() && prompts.messages().empty()) {
                // The keys a date cannot hold were refused as they were typed, and what was left reads as a
                // whole date ("3/01/2020" as the 3rd): the field shows it, and the command took it.
                EXPECT_FALSE(text.isEmpty() || text == QStringLiteral("0")) << typed.toStdString();
                EXPECT_TRUE(findControl<DateField>(*window, field.control)->hasAcceptableInput());
                EXPECT_FALSE(typed.contains(QRegularExpression(QStringLiteral("[^0-9/]")))) << typed.toStdString();
                EXPECT_NE(probed(probe), QStringLiteral("sentinella"));
                continue;
            }
            ASSERT_EQ(prompts.messages().size(), 1u) << typed.toStdString();
            EXPECT_EQ(prompts.messages()[0].text, refusal(field, typed));
            EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Exclamation);
            EXPECT_EQ(probed(probe), QStringLiteral("sentinella"));
        }
        // The probe sees a run: the field's own value runs again without a word.
        prompts.clear();
        if (field.date()) {
            // The field shows a date of its own again once it has said what it refused.
            EXPECT_TRUE(findControl<DateField>(*window, field.control)->hasAcceptableInput());
        } else {
            type(field, good);
        }
        clickButton(*window, field.command);
        waitForSweep(field);
        EXPECT_TRUE(prompts.messages().empty());
        EXPECT_NE(probed(probe), QStringLiteral("sentinella"));
        window.reset();
    }
}

} // namespace
