#include "app/noticebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace quarvel {

NoticeBar::NoticeBar(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    text_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    recover_ = new QPushButton(tr("Recover…"), this);
    auto *dismiss = new QToolButton(this);
    dismiss->setText(QStringLiteral("×"));
    dismiss->setAutoRaise(true);
    dismiss->setToolTip(tr("Dismiss"));
    dismiss->setAccessibleName(tr("Dismiss"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 2, 2, 2);
    layout->addWidget(text_, 1);
    layout->addWidget(recover_);
    layout->addWidget(dismiss);
    connect(recover_, &QPushButton::clicked, this, &NoticeBar::recoverChosen);
    connect(dismiss, &QToolButton::clicked, this, [this] {
        if (!failure_.isEmpty())
            failure_.clear();
        else if (!said_.isEmpty())
            said_.clear();
        else
            kept_ = 0;
        refresh();
    });
    hide();
}

void NoticeBar::setKept(int plans)
{
    kept_ = plans;
    refresh();
}

void NoticeBar::setFailure(const QString &why)
{
    failure_ = why;
    refresh();
}

void NoticeBar::say(const QString &sentence)
{
    said_ = sentence;
    refresh();
}

QString NoticeBar::text() const { return isHidden() ? QString() : text_->text(); }

void NoticeBar::refresh()
{
    if (!failure_.isEmpty())
        text_->setText(tr("Unsaved work cannot be kept: %1").arg(failure_));
    else if (!said_.isEmpty())
        text_->setText(said_);
    else if (kept_ > 0)
        text_->setText(kept_ == 1 ? tr("Unsaved work from an earlier session is kept: 1 plan.")
                                  : tr("Unsaved work from an earlier session is kept: %1 plans.").arg(kept_));
    recover_->setVisible(failure_.isEmpty() && said_.isEmpty() && kept_ > 0);
    setVisible(!failure_.isEmpty() || !said_.isEmpty() || kept_ > 0);
}

} // namespace quarvel
