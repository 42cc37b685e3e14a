#pragma once

// Lists of choices shared by the int fields of several forms ("value:text").
namespace choices {

// A question starts unanswered (kNotAnswered): a new return must not answer
// "Yes" for the user. The stored values of the answers are 0 Yes and 1 No.
constexpr int kNotAnswered = -1;
constexpr int kYes = 0;
constexpr int kNo = 1;
constexpr const char* kYesNo = "-1:Not answered|0:Yes|1:No";
// The same question for a flag stored as 0 no, any other value yes: its
// readers test for zero, so "Not answered" must store 0 as well (a stored 0
// is shown as "No").
constexpr const char* kYesNoFlag = "0:Not answered|1:Yes|0:No";
constexpr const char* kLanguage = "0:English|1:French";
constexpr const char* kMaritalStatus =
    "0:Married|1:Living common-law|2:Widowed|3:Divorced|4:Separated|5:Single";
constexpr const char* kProvince =
    "0:None|1:Alberta|2:British Columbia|3:Manitoba|4:New Brunswick|5:Newfoundland and Labrador|"
    "6:Nova Scotia|7:Northwest Territories|8:Nunavut|9:Ontario|10:Prince Edward Island|11:Quebec|"
    "12:Saskatchewan|13:Yukon";
// A dependant's relationship to the taxpayer, as the family's dependant table
// codes it (0: the entry is not filled in).
constexpr const char* kRelationship = "0:Not entered|1:Son or daughter|2:Grandchild|3:Parent or grandparent|"
                                      "4:Brother or sister|5:Niece, nephew, aunt or uncle|6:Other";
constexpr const char* kPensionPlan = "0:None|1:Canada Pension Plan|2:Quebec Pension Plan";

}  // namespace choices
