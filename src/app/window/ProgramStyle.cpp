#include "app/window/ProgramStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>

namespace {

// An icon of the base style that is asked for only when it is first needed.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(const QStyle* style, QStyle::StandardPixmap icon) : m_style(style), m_icon(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        resolved().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return resolved().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return resolved().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return resolved().availableSizes(mode, state);
    }
    // Not null before it is read: a button hides a null icon, and the arrow is
    // there in every style.
    bool isNull() override { return m_read && m_resolved.isNull(); }
    QIconEngine* clone() const override { return new DeferredStandardIcon(*this); }

private:
    const QIcon& resolved()
    {
        if (!m_read && m_style) m_resolved = m_style->standardIcon(m_icon);
        m_read = true;
        return m_resolved;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_icon;
    bool m_read = false;
    QIcon m_resolved;
};

}  // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return QIcon(new DeferredStandardIcon(baseStyle(), icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}
