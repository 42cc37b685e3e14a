#pragma once

// Shows the wait cursor for as long as the object lives. Nested guards stack
// through Qt's override-cursor stack, so the cursor comes back only when the
// outermost guard ends. Always a local of the operation it covers.
class MyWaitCursor
{
public:
    MyWaitCursor();
    ~MyWaitCursor();

    MyWaitCursor(const MyWaitCursor&) = delete;
    MyWaitCursor& operator=(const MyWaitCursor&) = delete;
};
