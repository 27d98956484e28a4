#include "platform/ui/fonts.h"

#include <QStringList>

QFont MakeFont(const QString& family, int height, bool bold, bool italic)
{
    QFont font;
    font.setFamilies(QStringList{family, QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
    if (height < 0) font.setPixelSize(-height);
    else if (height > 0) font.setPointSize(height);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
