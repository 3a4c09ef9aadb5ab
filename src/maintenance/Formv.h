#pragma once
#include <QDialog>

class App;
class QLabel;
class QPixmap;
class QPushButton;

// The version window.
class Formv : public QDialog {
    Q_OBJECT
public:
    // Fixed texts, and beneath them the database and the connection file in use.
    explicit Formv(App& app);

    // The picture beside the product name: a shelf of discs and a box, drawn here.
    static QPixmap picture(int size);

private slots:
    // Ｏ Ｋ
    void Command1_Click();

private:
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* LabelPlaces = nullptr;
    QPushButton* Command1 = nullptr;
};
