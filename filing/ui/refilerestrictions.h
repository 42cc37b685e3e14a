#pragma once

class QWidget;

// The terms of a ReFILE ("ReFile Restrictions"); true only when the user
// ticked the agree box and pressed OK.
bool agreeToReFileRestrictions(QWidget* parent);
