#include "app/ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace kivrun {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Kivrun Athletic Training Software"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setPixmap(QIcon(QStringLiteral(":/icons/kivrun.svg")).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("Kivrun Athletic Training Software"), this);
    name->setObjectName(QStringLiteral("name"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.25);
    big.setBold(true);
    name->setFont(big);
    auto* version = new QLabel(QStringLiteral("Version: 1.0.03"), this);
    version->setObjectName(QStringLiteral("version"));
    auto* licence = new QLabel(
        QStringLiteral(
            "Copyright \u00a9 2026 The Kivrun developers<br>"
            "Free software under the <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">"
            "GNU General Public License, version 3 or later</a> "
            "(GPL-3.0-or-later),<br>with ABSOLUTELY NO WARRANTY."),
        this);
    licence->setObjectName(QStringLiteral("licence"));
    licence->setTextFormat(Qt::RichText);
    licence->setOpenExternalLinks(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(licence);
    texts->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(picture);
    top->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kivrun
