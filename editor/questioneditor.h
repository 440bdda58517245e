// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "editor/editorvariant.h"
#include "editor/editsession.h"

class DbError;
class FootedList;
class PicturePanel;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QuestionBox;
class ExamPanel;
class QuestionListModel;
class SettingsStore;
class SkinFrame;
class SkinButton;
class TitleBarButtons;

// The question editor: browse a list of questions, change a question and its
// answer, add new ones and delete them. Study uses it over the personal list,
// Manager over one category of the bank; the variant describes the difference.
// What it edits, and every write, is the session's; this is its view.
class QuestionEditor : public QWidget {
    Q_OBJECT
public:
    QuestionEditor(const EditorVariant& variant, const QString& dataFolder,
                   QWidget* parent = nullptr);
    ~QuestionEditor() override;

    // Loads the form. For the personal list this opens the database; when it
    // cannot be opened for exclusive use it says so and returns false, and
    // the form should be closed without being shown.
    bool load();

    // Opens at `size` (at least the documented one), centred on the screen.
    void setStartSize(const QSize& size);
    // Opens at the size kept in `store` under the variant's keys, and keeps
    // there the size it ends at (when it is closed or destroyed). True when
    // it should be shown maximised.
    bool openAtKeptSize(SettingsStore& store);

    EditSession& session() { return session_; }
    // What ends the program (Manager) or releases the form (Study).
    void setCloser(std::function<void()> f) { closer_ = std::move(f); }

    // What the controls do.
    void onFirst();
    void onPrevious();
    void onNext();
    void onLast();
    void onAdd();  // the add picture and the add button alike
    void onSave();
    void onDelete();
    void onRowChosen();
    void onCategoryChosen();
    void onExit();
    void onClose();
    void onMinimise();
    void onMaximise();  // and restore, on the second click

    void clearFields();
    void disableBrowsing();
    void enableBrowsing();

    // True while the boxes hold a new question not yet written.
    bool adding() const { return adding_; }
    const EditorVariant& variant() const { return v_; }

    static QString statusLine(int n, int total);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The form's controls (questioneditorform.cpp).
    void build();
    void buildFields();
    void buildButtons();
    void buildList();
    void buildNavigation();
    void buildPicture();
    template <class T>
    T* place(T* w, const char* name);
    void keepDocumentedPlaces();
    void layOutControls();
    // The exam-form fields, below the answer box, for a file with their columns.
    void showExamFields(bool on);

    // The question box, one line or several (questioneditor.cpp).
    QWidget* questionBox() const;
    QString questionText() const;
    void showQuestion(const QString& text);

    void followSession();
    void showRecord();
    void showFields();
    void showPicture();
    bool seekShownRecord();
    int currentRow() const;
    void setCurrentRow(int row);
    void selectListEntry(int row);
    void setStatus(int n, int total);
    void loadFirstRecord();
    void categoryUnreadable(const DbError& e);
    void saveFailed(int error, const QString& message);
    void addedFromOutside(const QString& english);
    void removedFromOutside(const QString& english, bool currentRemoved);
    void end();
    void keepSize();

    const EditorVariant& v_;
    EditSession session_;
    QuestionListModel* model_ = nullptr;
    bool adding_ = false;
    bool inRowChosen_ = false;
    bool rowChangedByPress_ = false;
    bool followingSet_ = false;  // the list's rows change under the set
    std::function<void()> closer_;

    SkinFrame* canvas_ = nullptr;
    TitleBarButtons *closeButton_ = nullptr, *maximiseButton_ = nullptr, *minimiseButton_ = nullptr;
    QLabel *answerLabel_ = nullptr, *questionLabel_ = nullptr, *categoryLabel_ = nullptr;
    // Study's question box is one line; Manager's holds several.
    QLineEdit* questionLine_ = nullptr;
    QuestionBox* questionLines_ = nullptr;
    QLineEdit *answerBox_ = nullptr, *statusBox_ = nullptr;
    SkinButton *saveButton_ = nullptr, *addButton_ = nullptr, *deleteButton_ = nullptr,
               *exitButton_ = nullptr;
    QComboBox* categoryBox_ = nullptr;
    FootedList* list_ = nullptr;
    QToolButton *firstButton_ = nullptr, *previousButton_ = nullptr, *nextButton_ = nullptr,
                *lastButton_ = nullptr, *addPictureButton_ = nullptr;
    // The question's picture: its thumbnail and the button of its menu.
    PicturePanel* picture_ = nullptr;
    SkinButton* pictureButton_ = nullptr;
    ExamPanel* exam_ = nullptr;
    bool examShown_ = false;
    // The controls that follow the window's size, each with its documented place.
    struct Stretched {
        QWidget* widget;
        QRect documented;
        Stretch stretch;
    };
    std::vector<Stretched> stretched_;
    std::unique_ptr<WindowSizeMemory> sizeMemory_;
};
