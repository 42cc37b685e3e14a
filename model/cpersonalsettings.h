#pragma once

class MyDataStream;

// View state saved with a return file: which person was shown and, for each
// person, the kind and id of the selected tree item (0 form, 1 slip, 3 note,
// 99 the Result item, -1 nothing).
class CPersonalSettings
{
public:
    CPersonalSettings() { init(); }
    virtual ~CPersonalSettings() = default;

    void init();
    // Side 0 is the taxpayer; any other value the spouse.
    void setCurrentForm(int side, int kind, int id);
    void getCurrentForm(int& side, int& kind, int& id) const;
    void getCurrentFormForSide(int side, int& kind, int& id) const;
    // Six int32: block version 1, side, kind 0, kind 1, id 0, id 1. False
    // when the stream failed.
    bool Serialize(MyDataStream& ar);

    int m_side = 0;
    int m_kind0 = 0;
    int m_kind1 = 0;
    int m_id0 = 0;
    int m_id1 = 0;
};
