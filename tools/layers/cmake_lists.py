"""The command invocations of the tree's CMakeLists.txt files, read only far
enough to say where a target is defined and where a link is written, so that
library offences name a file and line."""

from __future__ import annotations

import os
import re
from dataclasses import dataclass
from pathlib import Path

from .includes import is_build_folder

# Commands of ours and CMake's whose first argument names a new target.
TARGET_COMMANDS = {"add_library", "add_executable", "corvasta_library"}
BRACKET_OPEN = re.compile(r"\[(=*)\[")


@dataclass
class Argument:
    text: str
    line: int


@dataclass
class Invocation:
    path: str  # relative to the tree root
    command: str  # lower case
    arguments: list[Argument]

    def location(self, argument: Argument) -> str:
        return f"{self.path}:{argument.line}"


def _skip_bracket(text: str, start: int) -> int | None:
    """The end of a bracket argument or comment opening at text[start], or
    None when text[start] opens none."""
    match = BRACKET_OPEN.match(text, start)
    if not match:
        return None
    end = text.find("]" + match.group(1) + "]", match.end())
    return len(text) if end < 0 else end + len(match.group(0))


class _Scanner:
    def __init__(self, path: str, text: str):
        self.path = path
        self.text = text
        self.at = 0
        self.line = 1

    def advance(self, end: int) -> str:
        taken = self.text[self.at:end]
        self.line += taken.count("\n")
        self.at = end
        return taken

    def skip_comment(self) -> None:
        end = _skip_bracket(self.text, self.at + 1)
        if end is None:
            newline = self.text.find("\n", self.at)
            end = len(self.text) if newline < 0 else newline
        self.advance(end)

    def invocations(self) -> list[Invocation]:
        found = []
        name = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")
        while self.at < len(self.text):
            char = self.text[self.at]
            if char == "#":
                self.skip_comment()
                continue
            match = name.match(self.text, self.at)
            if not match:
                self.advance(self.at + 1)
                continue
            self.advance(match.end())
            spaces = re.compile(r"[ \t]*").match(self.text, self.at)
            self.advance(spaces.end())
            if self.text.startswith("(", self.at):
                self.advance(self.at + 1)
                found.append(Invocation(self.path, match.group(0).lower(), self.arguments()))
        return found

    def arguments(self) -> list[Argument]:
        """The words up to the closing parenthesis; nested parentheses (in
        if() conditions) are dropped, quotes taken off."""
        words: list[Argument] = []
        depth = 0
        while self.at < len(self.text):
            char = self.text[self.at]
            if char.isspace():
                self.advance(self.at + 1)
            elif char == "#":
                self.skip_comment()
            elif char == "(":
                depth += 1
                self.advance(self.at + 1)
            elif char == ")":
                self.advance(self.at + 1)
                if depth == 0:
                    return words
                depth -= 1
            elif char == '"':
                line = self.line
                end = self.at + 1
                while end < len(self.text) and self.text[end] != '"':
                    end += 2 if self.text[end] == "\\" else 1
                words.append(Argument(self.advance(min(end + 1, len(self.text)))[1:-1], line))
            elif (end := _skip_bracket(self.text, self.at)) is not None:
                line = self.line
                words.append(Argument(self.advance(end), line))
            else:
                line = self.line
                word = re.compile(r'[^\s()#"]+').match(self.text, self.at)
                words.append(Argument(self.advance(word.end()), line))
        return words


def read_cmake_lists(root: Path) -> list[Invocation]:
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(name for name in subfolders if not name.startswith(".")
                               and not is_build_folder(Path(folder) / name))
        if "CMakeLists.txt" in files:
            path = Path(folder) / "CMakeLists.txt"
            text = path.read_text(encoding="utf-8", errors="replace")
            found.extend(_Scanner(path.relative_to(root).as_posix(), text).invocations())
    return found


class CMakeLists:
    def __init__(self, root: Path):
        self.invocations = read_cmake_lists(root)

    def definitions(self) -> dict[str, str]:
        """Targets with a literal name -> where they are defined."""
        found = {}
        for invocation in self.invocations:
            words = [argument.text for argument in invocation.arguments]
            if invocation.command in TARGET_COMMANDS and words and "${" not in words[0] \
                    and "ALIAS" not in words and "IMPORTED" not in words:
                found.setdefault(words[0], invocation.location(invocation.arguments[0]))
        return found

    def link_location(self, user: str, used: str) -> str | None:
        """Where a command on target `user` names target `used`."""
        for invocation in self.invocations:
            arguments = invocation.arguments
            if arguments and arguments[0].text == user:
                for argument in arguments[1:]:
                    if argument.text == used:
                        return invocation.location(argument)
        return None
