#pragma once

#include <cstddef>
#include <string>

// The texts that the reader benchmarks parse.

// A channel description as the host gives it for one input: a root with a dozen children,
// one of them "PhysicalGainIndex".
std::wstring ChannelDescription();

// A document of about `bytes` characters: repeated records with attributes, nested elements,
// entities, indented text over several lines and a CDATA section.
std::wstring LargeDocument(std::size_t characters);
