// The page as a screen reader reads it: Chromium's accessibility tree, taken
// through the DevTools protocol. Nodes the browser leaves out of what it
// reads (plain containers) are skipped, their children kept.

function property(node, name) {
    return node.properties?.find((p) => p.name === name)?.value?.value ?? false;
}

// Chromium's nodes of the whole page, as the protocol gives them.
async function pageNodes(session) {
    await session.send('Accessibility.enable');
    return (await session.send('Accessibility.getFullAXTree')).nodes;
}

// The tree as { role, name, value, readonly, disabled, children }.
export async function accessibleTree(session) {
    const nodes = await pageNodes(session);
    const byId = new Map(nodes.map((node) => [node.nodeId, node]));
    const read = (node) => {
        const children = (node.childIds ?? []).map((id) => byId.get(id)).filter(Boolean)
            .flatMap(read);
        if (node.ignored)
            return children;
        return [{
            role: node.role?.value,
            name: node.name?.value ?? '',
            value: node.value?.value,
            readonly: property(node, 'readonly'),
            disabled: property(node, 'disabled'),
            children,
        }];
    };
    return { role: 'page', name: '', children: nodes.length ? read(nodes[0]) : [] };
}

// The control a screen reader reads as having the focus, as "role «name»":
// the focused element, or the one it names as its active descendant.
export async function focusedControl(session) {
    const nodes = await pageNodes(session);
    const focused = nodes.filter((node) => property(node, 'focused') && node.role?.value !== 'RootWebArea');
    const active = focused.flatMap((node) => node.properties
        .filter((p) => p.name === 'activedescendant').flatMap((p) => p.value.relatedNodes ?? []));
    const shown = active.length
        ? nodes.find((node) => node.backendDOMNodeId === active[0].backendDOMNodeId)
        : focused[0];
    return shown ? `${shown.role?.value} «${shown.name?.value ?? ''}»` : 'nothing focused';
}

export function descendants(node) {
    return node.children.flatMap((child) => [child, ...descendants(child)]);
}

// The window (a dialog, a message an alert dialog) of this name, or null.
export function windowNamed(tree, name) {
    return descendants(tree).find((node) => ['dialog', 'alertdialog'].includes(node.role)
        && node.name === name) ?? null;
}

// The value of the field of this name in the window, as a reader reads it.
export async function fieldValue(session, windowName, fieldName) {
    const shown = windowNamed(await accessibleTree(session), windowName);
    const field = shown && descendants(shown).find((node) => node.role === 'textbox'
        && node.name === fieldName);
    return field ? field.value ?? '' : `no field «${fieldName}» in «${windowName}»`;
}

// The texts of a window that are neither controls nor their parts.
export function textsOf(node) {
    return descendants(node).filter((child) => child.role === 'StaticText').map((child) => child.name);
}

// A table's rows, each cell's text joined by tabs, the header's first.
export function tableRows(node) {
    return descendants(node).filter((child) => child.role === 'row').map((row) => row.children
        .filter((cell) => ['cell', 'columnheader', 'rowheader'].includes(cell.role))
        .map((cell) => cell.name).join('\t'));
}
