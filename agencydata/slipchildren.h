#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TiXmlElement;

// The direct children of a slip element that carry text, as the slip kinds
// read them. Pointers live as long as the document.
struct SlipChild
{
    const char* name;      // as written, namespace prefix included
    const char* text;
    const char* boxNumber; // the "boxNumber" attribute; null when there is none
};

std::vector<SlipChild> slipChildren(TiXmlElement* slipElement);

// Children are matched by the end of their names, so whatever namespace
// prefix the agency puts in front does not matter. Case-sensitive.
bool nameEndsWith(const char* name, const char* ending);

// A member of a kind filled from the box of this key (exact text).
template <class Slip>
struct BoxMember
{
    const char* key;
    std::string Slip::*member;
};

// A member of a kind filled from the child whose name has this ending.
template <class Slip>
struct NamedMember
{
    const char* ending;
    std::string Slip::*member;
};

// Fills the members of the boxes in table; the last child of a key wins.
template <class Slip, std::size_t N>
void takeBoxMembers(Slip& slip, const std::vector<SlipChild>& children, const BoxMember<Slip> (&table)[N])
{
    for (const SlipChild& child : children) {
        if (!child.boxNumber)
            continue;
        for (const BoxMember<Slip>& row : table) {
            if (std::string(child.boxNumber) == row.key) {
                slip.*row.member = child.text;
                break;
            }
        }
    }
}

// Fills a member from the child's text by the first ending in table that the
// child's name has; true when one matched.
template <class Slip, std::size_t N>
bool takeNamedMember(Slip& slip, const SlipChild& child, const NamedMember<Slip> (&table)[N])
{
    for (const NamedMember<Slip>& row : table) {
        if (nameEndsWith(child.name, row.ending)) {
            slip.*row.member = child.text;
            return true;
        }
    }
    return false;
}

enum class ChildrenTaken { WithoutBoxNumber, All };

template <class Slip, std::size_t N>
void takeNamedMembers(Slip& slip, const std::vector<SlipChild>& children, ChildrenTaken which,
                      const NamedMember<Slip> (&table)[N])
{
    for (const SlipChild& child : children) {
        if (which == ChildrenTaken::WithoutBoxNumber && child.boxNumber)
            continue;
        takeNamedMember(slip, child, table);
    }
}
