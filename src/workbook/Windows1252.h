#pragma once

#include <QByteArrayView>
#include <QString>

// Text in Windows-1252, the code page of German and other Western European
// Windows programs (their CSV files, Excel 5 workbooks), decoded by the
// program's own table rather than Qt's, whose decoding depends on how Qt was
// built (without ICU it falls back to Latin-1 and turns "€", "„" and "“"
// into control characters). The bytes 0x80 to 0x9F are the code page's own;
// the five it leaves unassigned keep their Latin-1 meaning, as Windows
// decodes them; every other byte is Latin-1.
QString fromWindows1252(QByteArrayView bytes);
