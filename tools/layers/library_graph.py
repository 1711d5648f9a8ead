"""The library rules: the CMake link graph of our targets has no cycle and
every link goes down the order.

The graph comes from `cmake --graphviz`, which writes the links as CMake
itself resolved them (functions, variables, conditions and all), so the check
never has to understand how a CMakeLists.txt computes its target lists. The
CMakeLists.txt files are read only to name the line a link is written on."""

from __future__ import annotations

import re
import subprocess
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

from .cmake_lists import CMakeLists
from .layer_map import LayerMap
from .report import Report

NODE = re.compile(r'^\s*"(node\d+)"\s*\[\s*label\s*=\s*"([^"]*)"\s*,\s*shape\s*=\s*(\w+)')
EDGE = re.compile(r'^\s*"(node\d+)"\s*->\s*"(node\d+)"')


@dataclass
class LinkGraph:
    shapes: dict[str, str] = field(default_factory=dict)  # target -> node shape
    links: list[tuple[str, str]] = field(default_factory=list)


def parse_dot(text: str) -> LinkGraph:
    graph = LinkGraph()
    names: dict[str, str] = {}
    for line in text.splitlines():
        if node := NODE.match(line):
            names[node.group(1)] = node.group(2)
            graph.shapes[node.group(2)] = node.group(3)
        elif edge := EDGE.match(line):
            link = (names[edge.group(1)], names[edge.group(2)])
            if link not in graph.links:
                graph.links.append(link)
    return graph


class GraphError(Exception):
    pass


def graph_of_build(build: Path, cmake: str = "cmake") -> LinkGraph:
    """The link graph of a configured build folder. cmake re-runs its
    configure step there; the dot files go to a scratch folder."""
    if not (build / "CMakeCache.txt").is_file():
        raise GraphError(f"{build} is not a configured build folder")
    with tempfile.TemporaryDirectory(prefix="check-layers-") as scratch:
        dot = Path(scratch) / "libraries.dot"
        result = subprocess.run([cmake, f"--graphviz={dot}", "."], cwd=build,
                                capture_output=True, text=True)
        if result.returncode != 0 or not dot.is_file():
            raise GraphError(f"cmake --graphviz failed in {build}:\n{result.stderr}")
        return parse_dot(dot.read_text(encoding="utf-8"))


def is_external(target: str, shape: str) -> bool:
    """Imported targets (Qt6::Widgets), plain library files and the
    libraries CMake only knows by name (septagons) are not ours."""
    return "::" in target or "/" in target or target.startswith("-") or shape == "septagon"


def _cycles(links: list[tuple[str, str]]) -> list[list[str]]:
    """The strongly connected groups of two or more targets (or one that
    links itself), each as its members in first-seen order (Tarjan)."""
    following: dict[str, list[str]] = {}
    for user, used in links:
        following.setdefault(user, []).append(used)
        following.setdefault(used, [])
    index: dict[str, int] = {}
    low: dict[str, int] = {}
    stack: list[str] = []
    groups = []

    def visit(target: str) -> None:
        index[target] = low[target] = len(index)
        stack.append(target)
        for used in following[target]:
            if used not in index:
                visit(used)
                low[target] = min(low[target], low[used])
            elif used in stack:
                low[target] = min(low[target], index[used])
        if low[target] == index[target]:
            group = []
            while True:
                member = stack.pop()
                group.append(member)
                if member == target:
                    break
            if len(group) > 1 or target in following[target]:
                groups.append(sorted(group, key=list(following).index))

    for target in following:
        if target not in index:
            visit(target)
    return groups


def _shortest_cycle(start: str, members: set[str], links: list[tuple[str, str]]) -> list[str]:
    """A shortest way from start back to itself through the group."""
    paths = {start: [start]}
    queue = [start]
    while queue:
        target = queue.pop(0)
        for user, used in links:
            if user != target or used not in members:
                continue
            if used == start:
                return paths[target] + [start]
            if used not in paths:
                paths[used] = paths[target] + [used]
                queue.append(used)
    return [start, start]


class LibraryCheck:
    def __init__(self, root: Path, layer_map: LayerMap, graph: LinkGraph, report: Report):
        self.map = layer_map
        self.graph = graph
        self.report = report
        self.cmake = CMakeLists(root)

    def run(self) -> None:
        ours = self._our_targets()
        links = [(user, used) for user, used in self.graph.links
                 if user in ours and used in ours]
        for user, used in links:
            self._check_link(user, used)
        for group in _cycles(links):
            cycle = _shortest_cycle(group[0], set(group), links)
            where = self.cmake.link_location(cycle[0], cycle[1]) or f"target {cycle[0]}"
            self.report.add(where, "library cycle", " -> ".join(cycle) +
                            (f" (one cycle among {', '.join(group)})"
                             if len(group) > len(cycle) - 1 else ""))

    def _our_targets(self) -> set[str]:
        """Mapped targets, and unmapped ones that are ours by being defined in
        the product folders or linked by one of ours: those are reported."""
        mapped = {target for target in self.graph.shapes if target in self.map.libraries}
        defined = {target: where for target, where in self.cmake.definitions().items()
                   if self.map.outside_folder(where) is None}
        linked_by_ours = {used: user for user, used in self.graph.links if user in mapped}
        unmapped = set()
        for target, shape in self.graph.shapes.items():
            if target in mapped or is_external(target, shape):
                continue
            if target in defined:
                unmapped.add(target)
                self.report.add(defined[target], "library",
                                f"target {target} has no component: add it to [libraries] "
                                "in tools/layers.txt")
            elif target in linked_by_ours:
                unmapped.add(target)
                user = linked_by_ours[target]
                where = self.cmake.link_location(user, target) or f"target {user}"
                self.report.add(where, "library",
                                f"{user} links {target}, which is in no component: add it "
                                "to [libraries] in tools/layers.txt")
        return mapped | unmapped

    def _check_link(self, user: str, used: str) -> None:
        user_component = self.map.libraries.get(user)
        used_component = self.map.libraries.get(used)
        if user_component is None or used_component is None or user_component == used_component:
            return
        edge = (user_component, used_component)
        self.report.library_edges.add(edge)
        if not self.map.may_use(user_component, used_component):
            where = self.cmake.link_location(user, used) or f"target {user}"
            self.report.add(where, "library link", f"{user} -> {used}: {user_component} may "
                            f"not use {used_component}", edge)


def check_libraries(root: Path, layer_map: LayerMap, graph: LinkGraph, report: Report) -> None:
    LibraryCheck(root, layer_map, graph, report).run()
