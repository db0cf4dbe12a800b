// Every option with a value in every form it may be typed: with a blank or
// "=", last or not, and without its value; the value lands where its
// command reads it.
#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString q(const char* text) { return QString::fromUtf8(text); }

TEST(CommandLine, OptionsWithAValueInEveryForm)
{
    using Get = std::function<QString(const CommandLine&)>;
    const QStringList list{q("--teilstrecken"), q("Haus.csv")};
    const QStringList one{q("--berechnen"), q("250"), q("5"), q("--rohrserie"), q("Kupfer")};
    struct Option {
        const char* name;
        QStringList command;  // the rest of a line the option belongs to
        Get value;
    };
    const Option options[] = {
        {"teilstrecken", {}, [](const CommandLine& l) { return l.operands.value(0); }},
        {"ausgabe", list, [](const CommandLine& l) { return l.operands.value(1); }},
        {"rohrserie", list, [](const CommandLine& l) { return l.sizing.series; }},
        {"rohrserien-datei", list, [](const CommandLine& l) { return l.sizing.seriesFile; }},
        {"entnahmestellen-datei", list, [](const CommandLine& l) { return l.drawOffFile; }},
        {"vmax", list, [](const CommandLine& l) { return l.sizing.maximumVelocity; }},
        {"temperatur", list, [](const CommandLine& l) { return l.sizing.temperature; }},
        {"versorgungsdruck", list, [](const CommandLine& l) { return l.sizing.supplyPressure; }},
        {"laenge", one, [](const CommandLine& l) { return l.sizing.length; }},
        {"zeta", one, [](const CommandLine& l) { return l.sizing.lossCoefficients; }},
    };
    for (const Option& o : options) {
        const QString option = q("--") + q(o.name);
        for (const bool last : {false, true})
            for (const bool equals : {false, true}) {
                SCOPED_TRACE(std::string(o.name) + (last ? " last" : " first") + (equals ? " with =" : " with a blank"));
                const QStringList typed = equals ? QStringList{option + q("=a b.x")} : QStringList{option, q("a b.x")};
                QStringList line{q("gipfelfluss")};
                line << (last ? o.command + typed : typed + o.command);
                const CommandLine read = readCommandLine(line, CommandLine::Stage::AfterQt);
                EXPECT_NE(read.request, CommandLine::Request::Refusal) << read.text.toStdString();
                EXPECT_EQ(o.value(read), q("a b.x"));
            }
        const CommandLine missing = readCommandLine(QStringList{q("gipfelfluss")} + o.command + QStringList{option},
                                                    CommandLine::Stage::AfterQt);
        EXPECT_EQ(missing.request, CommandLine::Request::Refusal);
        EXPECT_TRUE(missing.text.contains(q("»%1« braucht einen Wert").arg(option))) << missing.text.toStdString();
    }
}

}  // namespace
