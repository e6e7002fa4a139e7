#include "app/recoverdialog.h"

#include "app/plandocument.h"
#include "app/qs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quarvel {
namespace {

// A header text as the list shows it: whole up to a length, else visibly cut.
QString shortened(const std::string &text)
{
    const QString whole = qs(text);
    return whole.size() <= 60 ? whole : whole.left(59) + QStringLiteral("…");
}

QString attackOf(const FormState &state)
{
    auto text = [&state](Id id) { return shortened(state.texts[index(id)]); };
    return QStringLiteral("Attack From: %1  Number %2 · Attack On %3  Number %4")
        .arg(text(Id::Text35), text(Id::Text37), text(Id::Text36), text(Id::Text38));
}

} // namespace

RecoverDialog::RecoverDialog(PlanDocument &document, QWidget *parent) : QDialog(parent), document_(document)
{
    setWindowTitle(tr("Recover Unsaved Plans"));
    list_ = new QTreeWidget(this);
    list_->setHeaderLabels({tr("Plan"), tr("Attack"), tr("Last changed")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    none_ = new QLabel(tr("No unsaved work is kept."), this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    recover_ = buttons->addButton(tr("&Recover"), QDialogButtonBox::AcceptRole);
    discard_ = buttons->addButton(tr("&Discard"), QDialogButtonBox::DestructiveRole);
    recover_->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(recover_, &QPushButton::clicked, this, &RecoverDialog::recover);
    connect(discard_, &QPushButton::clicked, this, &RecoverDialog::discard);
    connect(list_, &QTreeWidget::itemActivated, this, &RecoverDialog::recover);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        recover_->setEnabled(chosen() && chosen()->state);
        discard_->setEnabled(chosen());
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(none_);
    layout->addWidget(buttons);
    resize(760, 320);
    fill();
}

void RecoverDialog::fill()
{
    kept_ = document_.keptStates();
    list_->clear();
    for (const KeptState &kept : kept_) {
        const QString plan = kept.plan.isEmpty() ? tr("Untitled") : QFileInfo(kept.plan).fileName();
        auto *item =
            new QTreeWidgetItem(list_, {kept.state ? plan : QFileInfo(kept.file).fileName(),
                                        kept.state ? attackOf(*kept.state) : tr("Cannot be read: it %1.").arg(kept.why),
                                        QLocale().toString(kept.changed, QLocale::ShortFormat)});
        item->setToolTip(0, QDir::toNativeSeparators(kept.state && !kept.plan.isEmpty() ? kept.plan : kept.file));
    }
    list_->setVisible(!kept_.empty());
    none_->setVisible(kept_.empty());
    list_->setCurrentItem(list_->topLevelItem(0));
    recover_->setEnabled(chosen() && chosen()->state);
    discard_->setEnabled(chosen());
}

const KeptState *RecoverDialog::chosen() const
{
    const int row = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
    return row >= 0 && std::size_t(row) < kept_.size() ? &kept_[std::size_t(row)] : nullptr;
}

void RecoverDialog::recover()
{
    if (const KeptState *kept = chosen(); kept && kept->state) {
        document_.recover(*kept);
        accept();
    }
}

void RecoverDialog::discard()
{
    if (const KeptState *kept = chosen()) {
        document_.discard(*kept);
        fill();
    }
}

} // namespace quarvel
