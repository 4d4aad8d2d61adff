// Form2's controls at their places: the picture with the version, the coloured line in its
// frame, the product's lines and the two buttons.
#include "about/Form2.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "about/Banner.h"
#include "editor/ComponentFailure.h"
#include "windows/PlaceControl.h"

namespace {

QLabel* Caption(QWidget* parent, const char* name, const char* text, int left, int top, QColor colour, bool bold)
{
    auto* label = Place<QLabel>(parent, name, text, left, top, 0, 0);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

void Rule(QWidget* parent, const char* name, int top)
{
    auto* rule = Place<QFrame>(parent, name, 360, top, 4815, 30);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
}

}  // namespace

void Form2::CreateControls()
{
    auto* picture2 = Place<QWidget>(this, "Picture2", 0, 0, 6015, 1455);
    picture2->setAutoFillBackground(true);
    QPalette white = picture2->palette();
    white.setColor(QPalette::Window, Qt::white);
    picture2->setPalette(white);
    auto* picture1 = new Banner(picture2);
    picture1->setGeometry(0, 0, TwipsToPixels(5385), TwipsToPixels(1290));

    label3_ = Place<QLabel>(picture1, "Label3", 3600, 120, 1695, 255);
    label3_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label1_ = Place<QLabel>(picture1, "Label1", "The Talvane Editor", 2385, 900, 3015, 375);
    label1_->setAlignment(Qt::AlignCenter);
    QFont comic(QStringLiteral("Comic Sans MS"), 12);
    comic.setStyleHint(QFont::Cursive);
    label1_->setFont(comic);
    QPalette green = label1_->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 64));
    green.setColor(QPalette::Window, Qt::white);
    label1_->setPalette(green);
    label1_->setAutoFillBackground(true);

    auto* web = Place<QLabel>(this, "Label2", ProductWebAddress, 480, 1680, 4695, 255);
    web->setAlignment(Qt::AlignCenter);
    Rule(this, "Shape1", 2160);
    Caption(this, "Label11", "Bold", 480, 2280, QColor(128, 128, 128), true);
    Caption(this, "Label5", "and/or", 1005, 2280, palette().color(QPalette::WindowText), false);
    Caption(this, "Label12", "Color", 1680, 2280, QColor(128, 128, 255), true);
    Caption(this, "Label14", "Syntax", 2280, 2340, QColor(0, 192, 0), false);
    Caption(this, "Label13", "Highlighting", 3000, 2340, QColor(255, 0, 0), false);
    Rule(this, "Shape2", 2640);
    Place<QLabel>(this, "Label4", "Industry standard ISO / ASCII Text editing", 480, 2880, 4695, 255);
    Place<QLabel>(this, "Label6", "Every byte of a part program kept exactly.", 480, 3135, 4695, 255);

    command2_ = Place<QPushButton>(this, "Command2", "About Varnotek", 240, 3480, 1935, 375);
    command1_ = Place<QPushButton>(this, "Command1", "OK", 3360, 3480, 1935, 375);
}
