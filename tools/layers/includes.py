"""The include rules: every product source file lies in a component, its
project includes name files of components it may use, and headers under a
header rule come only from the components the rule allows."""

from __future__ import annotations

import os
import posixpath
import re
from pathlib import Path
from typing import Iterator

from .layer_map import LayerMap
from .report import Report

SOURCE_SUFFIXES = (".h", ".hh", ".hpp", ".cpp", ".cc", ".cxx")
INCLUDE = re.compile(r'#\s*include\s*([<"])([^>"]+)[>"]')


def is_build_folder(folder: Path) -> bool:
    return (folder / "CMakeCache.txt").is_file()


def product_sources(root: Path, layer_map: LayerMap) -> list[str]:
    """Source files of the tree relative to the root, without hidden
    folders, build folders and the folders outside the check."""
    found = []
    for folder, subfolders, files in os.walk(root):
        relative = Path(folder).relative_to(root).as_posix()
        prefix = "" if relative == "." else relative + "/"
        subfolders[:] = sorted(
            name for name in subfolders
            if not name.startswith(".") and not is_build_folder(Path(folder) / name)
            and layer_map.outside_folder(prefix + name + "/") is None)
        found.extend(prefix + name for name in files if name.endswith(SOURCE_SUFFIXES))
    return sorted(found)


def include_lines(text: str) -> Iterator[tuple[int, str, str]]:
    """(line number, "<" or '"', header) of each #include outside comments."""
    in_comment = False
    for number, line in enumerate(text.splitlines(), start=1):
        code = ""
        rest = line
        while rest:
            if in_comment:
                end = rest.find("*/")
                if end < 0:
                    rest = ""
                else:
                    in_comment, rest = False, rest[end + 2:]
            else:
                start = rest.find("/*")
                if start < 0:
                    code, rest = code + rest, ""
                else:
                    code, rest, in_comment = code + rest[:start] + " ", rest[start + 2:], True
        match = INCLUDE.match(code.strip())
        if match:
            yield number, match.group(1), match.group(2).strip()


def inside_tree(path: str) -> str | None:
    """A normalised relative path, or None when it climbs out of the tree."""
    normal = posixpath.normpath(path)
    if normal in (".", "..") or normal.startswith(("../", "/")):
        return None
    return normal


class IncludeCheck:
    def __init__(self, root: Path, layer_map: LayerMap, report: Report):
        self.root = root
        self.map = layer_map
        self.report = report
        self.project_folders = layer_map.top_folders() | {
            entry.name for entry in root.iterdir() if entry.is_dir()}

    def run(self) -> None:
        for path in product_sources(self.root, self.map):
            component = self.map.component_of(path)
            if component is None:
                self._no_component(path, path)
                continue
            text = (self.root / path).read_text(encoding="utf-8", errors="replace")
            for number, delimiter, header in include_lines(text):
                self._check(f"{path}:{number}", path, component, delimiter, header)

    def _check(self, location: str, path: str, component: str, delimiter: str,
               header: str) -> None:
        if delimiter == "<":
            self._check_header_rules(location, component, header)
            # An angle include of a project file still crosses layers.
            target = self._existing(header)
        else:
            target = self._existing(posixpath.join(posixpath.dirname(path), header)) or \
                self._existing(header)
            if target is None:
                if self._is_project_path(header):
                    self.report.add(location, "missing include",
                                    f'"{header}" names no file in the tree')
                return
        if target is not None:
            self._check_target(location, component, header, target)

    def _check_header_rules(self, location: str, component: str, header: str) -> None:
        for rule in self.map.header_rules:
            if rule.enabled and rule.matches(header) and component not in rule.allowed:
                self.report.add(location, f"{rule.name} header",
                                f"{component} may not include <{header}> (only "
                                f"{', '.join(rule.allowed)} may)")

    def _check_target(self, location: str, component: str, header: str, target: str) -> None:
        outside = self.map.outside_folder(target)
        if outside is not None:
            self.report.add(location, "include",
                            f'{component} may not use {outside} ("{header}"): it is not '
                            "product code")
            return
        used = self.map.component_of(target)
        if used is None:
            self._no_component(location, f'"{header}"')
            return
        if used == component:
            return
        self.report.include_edges[(component, used)] += 1
        if not self.map.may_use(component, used):
            self.report.add(location, "include", f'{component} may not use {used} ("{header}")',
                            (component, used))

    def _no_component(self, location: str, what: str) -> None:
        self.report.add(location, "no component",
                        f"{what} lies in no component: add its folder to [components] in "
                        "tools/layers.txt")

    def _existing(self, path: str) -> str | None:
        normal = inside_tree(path)
        return normal if normal is not None and (self.root / normal).is_file() else None

    def _is_project_path(self, header: str) -> bool:
        normal = inside_tree(header)
        return normal is not None and "/" in normal and \
            normal.split("/", 1)[0] in self.project_folders


def check_includes(root: Path, layer_map: LayerMap, report: Report) -> None:
    IncludeCheck(root, layer_map, report).run()
