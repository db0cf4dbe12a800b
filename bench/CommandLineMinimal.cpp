// The smallest QtCore program that writes one line of numbers in the user's
// locale, to compare `gipfelfluss --berechnen 250 5` against.
#include <QLocale>
#include <QString>

#include <cstdio>

int main()
{
    const QLocale locale = QLocale::system();
    const QString line = locale.toString(1.63, 'f', 2) + QStringLiteral(" l/s\t") + locale.toString(97.7, 'f', 1)
                         + QStringLiteral(" l/min\n");
    std::fputs(line.toLocal8Bit().constData(), stdout);
    return 0;
}
