#pragma once

#include "ui/SFormDetail.h"
#include "ui/SFormList.h"

class TSComboBox;
class TSEdit;
class TSListViewVirtual;

// A list window over the people of the test database, with a text filter
// and a code-list filter.
class TfrmGalerieSeznam : public TSFormList
{
    Q_OBJECT

public:
    explicit TfrmGalerieSeznam(QWidget* parent = nullptr);

protected:
    QString SearchSQL() override;
    void DefaultFilter() override;

private:
    TSEdit* m_text;
    TSComboBox* m_type;
};

// A record window with every picker and edit of the library.
class TfrmGalerieKarta : public TSFormDetail
{
    Q_OBJECT

public:
    explicit TfrmGalerieKarta(QWidget* parent = nullptr);

protected:
    void FillPickers() override;
    void LoadData() override;
    bool SaveData() override { return true; }

private:
    TSListViewVirtual* m_parents;
};

// A list of 100,000 generated rows, scrolled to the middle.
class TfrmGalerieVelky : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmGalerieVelky(QWidget* parent = nullptr);
};
