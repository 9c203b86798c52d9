#!/usr/bin/env python3
"""The manual's converter keeps the source's order: a paragraph line that follows a
list item or a code line without a blank line comes after it in the document."""
import os
import sys
import unittest

sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import manual_to_rtf  # noqa: E402


class BlockOrder(unittest.TestCase):
    CASES = [
        ("- item\nafter", [("item", ("-", "item")), ("para", "after")]),
        ("1. item\n   more\nafter", [("item", ("1.", "item more")), ("para", "after")]),
        ("before\n- item", [("para", "before"), ("item", ("-", "item"))]),
        ("    code\nafter", [("code", ["code"]), ("para", "after")]),
        ("one\ntwo\n\n- a\n- b", [("para", "one two"), ("item", ("-", "a")), ("item", ("-", "b"))]),
        ("# Title\ntext", [("heading", (1, "Title")), ("para", "text")]),
    ]

    def test_blocks_in_source_order(self):
        for source, expected in self.CASES:
            with self.subTest(source=source):
                self.assertEqual(list(manual_to_rtf.blocks(source.splitlines())), expected)


if __name__ == "__main__":
    unittest.main()
