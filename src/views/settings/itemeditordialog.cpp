#include "views/settings/itemeditordialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "lists/listimagefiles.h"
#include "lists/paidwith.h"
#include "platform/platform.h"
#include "views/widgets/appfont.h"
#include "views/widgets/commandbar.h"
#include "views/widgets/listpicture.h"
#include "views/widgets/textentrydialog.h"
#include "views/widgets/updatescope.h"

namespace {

constexpr int kImageButtonSize = kListImageSize + 8;
constexpr int kImageCell = kListImageSize + 6;

}  // namespace

CItemEditorDialog::CItemEditorDialog(CExpenseDoc& document, CListItems::Kind kind,
                                     const QString& startName, QWidget* parent)
    : FullWindowDialog(CListItems(document, kind).EditorTitle(), TitleButton::None, parent),
      document_(document),
      items_(document, kind),
      startName_(startName),
      image_(new QToolButton(Body())),
      nameLabel_(new QLabel(QStringLiteral("Name:"), Body())),
      name_(new QLineEdit(Body())),
      images_(new QListWidget(Body())),
      save_(Commands()->AddButton(QStringLiteral("Save"))),
      cancel_(Commands()->AddButton(QStringLiteral("Cancel"))),
      delete_(Commands()->AddButton(QStringLiteral("Delete"))) {
    Commands()->AddStretch();
    SetHelpTopic(items_.HelpTopic());
    if (const auto item = items_.Find(startName_)) {
        before_ = *item;
    } else {
        startName_.clear();
    }
    image_->setIconSize(QSize(kListImageSize, kListImageSize));
    image_->setFixedSize(kImageButtonSize, kImageButtonSize);
    image_->setAccessibleName(QStringLiteral("Image"));
    nameLabel_->setFont(AppFont());
    nameLabel_->setBuddy(name_);
    name_->setFont(AppFont());
    name_->setAccessibleName(QStringLiteral("Name:"));
    name_->setText(before_.name);

    images_->setAccessibleName(QStringLiteral("Images"));
    images_->setViewMode(QListView::IconMode);
    images_->setIconSize(QSize(kListImageSize, kListImageSize));
    images_->setGridSize(QSize(kImageCell, kImageCell));
    images_->setMovement(QListView::Static);
    images_->setResizeMode(QListView::Adjust);
    images_->setWrapping(true);
    images_->setUniformItemSizes(true);
    // The chosen picture is framed in the selection colour, since the
    // pictures carry no text to highlight.
    images_->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; } QListWidget::item:selected { "
                       "background: palette(highlight); }")
            .arg(kLightYellow.name()));
    // One row of pictures is enough on the square screen; the list scrolls.
    images_->setMinimumSize(2 * kImageCell, kImageCell + 6);
    const ImageFolder folder = items_.Folder();
    for (const QString& file : items_.ImageChoices()) {
        auto* entry = new QListWidgetItem(QIcon(ListPicture(folder, file)), QString(), images_);
        entry->setData(Qt::UserRole, file);
        entry->setData(Qt::AccessibleTextRole, file);
        entry->setToolTip(file);
    }

    if (kind == CListItems::Kind::PaymentSource) {
        paymentType_ = new QGroupBox(QStringLiteral("Payment Type"), Body());
        paymentType_->setFont(AppFont());
        paymentType_->setAccessibleName(paymentType_->title());
        whoPays_ = new QLabel(QStringLiteral("(who pays the bill?)"), paymentType_);
        personal_ = new QRadioButton(QStringLiteral("Personal (reimbursable)"), paymentType_);
        business_ = new QRadioButton(QStringLiteral("Business (non-reimbursable)"), paymentType_);
        auto* box = new QVBoxLayout(paymentType_);
        box->setContentsMargins(6, 0, 4, 2);
        box->setSpacing(0);
        for (QWidget* control : std::initializer_list<QWidget*>{whoPays_, personal_, business_}) {
            control->setFont(AppFont());
            control->setAccessibleName(control->property("text").toString());
            box->addWidget(control);
        }
        (before_.paymentType == CPaidWith::kBusiness ? business_ : personal_)->setChecked(true);
    }

    // A new item starts with the first picture offered.
    QString image = before_.imageName;
    if (startName_.isEmpty() && images_->count() > 0) {
        image = images_->item(0)->data(Qt::UserRole).toString();
    }
    ShowImage(image);

    delete_->setEnabled(!startName_.isEmpty() && items_.CanRemove(before_));

    connect(images_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* entry) { ShowImage(entry->data(Qt::UserRole).toString()); });
    connect(image_, &QToolButton::clicked, this, [this] {
        if (QListWidgetItem* entry = images_->currentItem()) {
            images_->scrollToItem(entry);
        }
        images_->setFocus();
    });
    connect(name_, &QLineEdit::returnPressed, this, &CItemEditorDialog::accept);
    connect(save_, &QToolButton::clicked, this, &CItemEditorDialog::accept);
    connect(cancel_, &QToolButton::clicked, this, &QDialog::reject);
    connect(delete_, &QToolButton::clicked, this, &CItemEditorDialog::AskDelete);
    name_->setFocus();
    name_->selectAll();
}

void CItemEditorDialog::ShowImage(const QString& imageName) {
    imageName_ = imageName;
    image_->setIcon(QIcon(ListPicture(items_.Folder(), imageName)));
    image_->setToolTip(imageName);
    for (int row = 0; row < images_->count(); ++row) {
        QListWidgetItem* entry = images_->item(row);
        if (entry->data(Qt::UserRole).toString().compare(imageName, Qt::CaseInsensitive) == 0) {
            images_->setCurrentItem(entry);
            return;
        }
    }
    images_->setCurrentItem(nullptr);
}

void CItemEditorDialog::accept() {
    Prompts& prompts = Platform::Get().GetPrompts();
    const QString name = name_->text().trimmed();
    if (name.isEmpty()) {
        prompts.Warning(CTextEntryDialog::EmptyNameMessage());
        name_->setFocus();
        return;
    }
    // Another letter case of the item's own name is no clash.
    if (name.compare(startName_, Qt::CaseInsensitive) != 0 && items_.Find(name)) {
        prompts.Warning(items_.DuplicateMessage());
        name_->setFocus();
        return;
    }
    CListItems::Item after = before_;
    after.name = name;
    after.imageName = imageName_;
    if (business_ != nullptr) {
        after.paymentType = business_->isChecked() ? CPaidWith::kBusiness : CPaidWith::kPersonal;
    }
    int scope = UpdateScope::kNoReports;
    const QString question = items_.UpdateQuestion(startName_, name);
    if (!startName_.isEmpty() && !question.isEmpty()) {
        scope = UpdateScope::Ask(this, document_, question);
    }
    if (!items_.Store(startName_, after)) {
        // Only a name no file can carry gets here.
        prompts.Warning(CTextEntryDialog::EmptyNameMessage());
        name_->setFocus();
        return;
    }
    if (!startName_.isEmpty()) {
        items_.UpdateExpenses(before_, after, scope);
    }
    saved_ = name;
    FullWindowDialog::accept();
}

void CItemEditorDialog::AskDelete() {
    if (items_.AskAndRemove(startName_)) {
        done(kDeleted);
    }
}

void CItemEditorDialog::ApplyLayout(ScreenLayout layout) {
    delete Body()->layout();
    auto* grid = new QGridLayout(Body());
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    grid->addWidget(image_, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(nameLabel_, 0, 1);
    grid->addWidget(name_, 1, 1);
    if (layout == ScreenLayout::Landscape) {
        // Wider than high: the pictures take the right half beside the name
        // and the payment type.
        if (paymentType_ != nullptr) {
            grid->addWidget(paymentType_, 2, 0, 1, 2, Qt::AlignTop);
        }
        grid->addWidget(images_, 0, 2, 4, 1);
        grid->setRowStretch(3, 1);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(2, 1);
        return;
    }
    if (paymentType_ != nullptr) {
        grid->addWidget(paymentType_, 2, 0, 1, 2);
    }
    grid->addWidget(images_, 3, 0, 1, 2);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
}
