#include "platform/ui/align.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

const char* const kAlignProperty = "ztarnAlign";

// Watches a parent and its aligned children; realigns the parent when anything moves.
class TAligner : public QObject {
public:
    explicit TAligner(QWidget* parent) : QObject(parent), FParent(parent)
    {
        setObjectName(QStringLiteral("ztarnAligner"));
        parent->installEventFilter(this);
    }

    void Watch(QWidget* child) { child->installEventFilter(this); }

    void Realign()
    {
        if (FBusy) return;
        FBusy = true;
        QRect rest = FParent->contentsRect();
        for (TAlign kind : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
            for (QObject* object : FParent->children()) {
                auto* child = qobject_cast<QWidget*>(object);
                if (child && !child->isWindow() && !child->isHidden() && AlignOf(child) == kind)
                    Place(child, kind, rest);
            }
        FBusy = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ChildRemoved:
            if (watched == FParent || AlignOf(static_cast<QWidget*>(watched)) != TAlign::alNone) Realign();
            break;
        default: break;
        }
        return false;
    }

private:
    static void Place(QWidget* child, TAlign kind, QRect& rest)
    {
        const int w = child->width();
        const int h = child->height();
        switch (kind) {
        case TAlign::alTop:
            child->setGeometry(rest.left(), rest.top(), rest.width(), h);
            rest.setTop(rest.top() + h);
            break;
        case TAlign::alBottom:
            child->setGeometry(rest.left(), rest.bottom() + 1 - h, rest.width(), h);
            rest.setBottom(rest.bottom() - h);
            break;
        case TAlign::alLeft:
            child->setGeometry(rest.left(), rest.top(), w, rest.height());
            rest.setLeft(rest.left() + w);
            break;
        case TAlign::alRight:
            child->setGeometry(rest.right() + 1 - w, rest.top(), w, rest.height());
            rest.setRight(rest.right() - w);
            break;
        case TAlign::alClient:
            child->setGeometry(rest.left(), rest.top(), std::max(0, rest.width()), std::max(0, rest.height()));
            break;
        case TAlign::alNone: break;
        }
    }

    QWidget* FParent;
    bool FBusy = false;
};

TAligner* AlignerOf(QWidget* parent)
{
    // Only TAligner objects carry this name.
    if (auto* existing = parent->findChild<QObject*>(QStringLiteral("ztarnAligner"), Qt::FindDirectChildrenOnly))
        return static_cast<TAligner*>(existing);
    return new TAligner(parent);
}

}  // namespace

void SetAlign(QWidget* child, TAlign align)
{
    child->setProperty(kAlignProperty, static_cast<int>(align));
    QWidget* parent = child->parentWidget();
    if (!parent) return;
    TAligner* aligner = AlignerOf(parent);
    aligner->Watch(child);
    aligner->Realign();
}

TAlign AlignOf(const QWidget* child)
{
    const QVariant value = child->property(kAlignProperty);
    return value.isValid() ? static_cast<TAlign>(value.toInt()) : TAlign::alNone;
}

void Realign(QWidget* parent) { AlignerOf(parent)->Realign(); }
