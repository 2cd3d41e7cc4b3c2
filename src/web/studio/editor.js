// The studio's code editor: CodeMirror 6 with line numbers, undo and redo,
// search, and the checker's findings as diagnostics. Bundled into one file
// (ZorbelEditor.create) so that the page needs no module loader.
import { EditorState } from "@codemirror/state";
import {
  EditorView, keymap, lineNumbers, highlightActiveLine, highlightActiveLineGutter,
  drawSelection, highlightSpecialChars,
} from "@codemirror/view";
import { defaultKeymap, history, historyKeymap, indentWithTab } from "@codemirror/commands";
import { searchKeymap, highlightSelectionMatches } from "@codemirror/search";
import { lintGutter, setDiagnostics } from "@codemirror/lint";
import {
  StreamLanguage, syntaxHighlighting, defaultHighlightStyle, HighlightStyle,
} from "@codemirror/language";
import { tags } from "@lezer/highlight";

// Templates and comics.ini alike: "#" starts a comment everywhere, headers
// stand in brackets, a line may be a number or "end".
const zorbelText = StreamLanguage.define({
  name: "zorbel",
  token(stream) {
    if (stream.sol()) stream.eatSpace();
    if (stream.peek() === "#") {
      stream.skipToEnd();
      return "comment";
    }
    if (stream.sol() || stream.string.slice(0, stream.pos).trim() === "") {
      if (stream.match(/^\[[^\]#]*\]?/)) return "heading";
      if (stream.match(/^[-+]?\d+\s*(?=#|$)/)) return "number";
      if (stream.match(/^end\s*(?=#|$)/)) return "keyword";
    }
    if (stream.match(/^[^#]+/)) return null;
    stream.next();
    return null;
  },
});

const zorbelStyle = HighlightStyle.define([
  { tag: tags.comment, color: "#7a7a7a", fontStyle: "italic" },
  { tag: tags.heading, color: "#1f4fa8", fontWeight: "bold" },
  { tag: tags.number, color: "#a8501f" },
  { tag: tags.keyword, color: "#7a2a8a" },
]);

// parent: the element; onChange(text) after each edit, onCursor(line) when
// the cursor moves to another line.
export function create(parent, onChange, onCursor) {
  let cursorLine = 1;
  const extensions = [
    lineNumbers(),
    highlightActiveLineGutter(),
    highlightSpecialChars(),
    history(),
    drawSelection(),
    highlightActiveLine(),
    highlightSelectionMatches(),
    lintGutter(),
    zorbelText,
    syntaxHighlighting(zorbelStyle),
    syntaxHighlighting(defaultHighlightStyle, { fallback: true }),
    keymap.of([...defaultKeymap, ...searchKeymap, ...historyKeymap, indentWithTab]),
    EditorView.updateListener.of((update) => {
      if (update.docChanged && onChange) onChange(update.state.doc.toString());
      const line = update.state.doc.lineAt(update.state.selection.main.head).number;
      if (line !== cursorLine) {
        cursorLine = line;
        if (onCursor && update.selectionSet) onCursor(line);
      }
    }),
  ];
  const view = new EditorView({ parent, state: EditorState.create({ doc: "", extensions }) });

  function lineRange(line) {
    const doc = view.state.doc;
    const n = Math.min(Math.max(line, 1), doc.lines);
    return doc.line(n);
  }

  return {
    view,
    // A new file: its own undo history.
    load(text) {
      view.setState(EditorState.create({ doc: text, extensions }));
    },
    text: () => view.state.doc.toString(),
    lineCount: () => view.state.doc.lines,
    lineText: (line) => view.state.doc.line(Math.min(Math.max(line, 1), view.state.doc.lines)).text,
    cursorLine: () => view.state.doc.lineAt(view.state.selection.main.head).number,
    // findings: [{line, severity, message}]; line 0 marks the first line.
    setFindings(findings) {
      const diagnostics = findings.map((f) => {
        const l = lineRange(f.line || 1);
        return { from: l.from, to: l.to, severity: f.severity, message: f.message };
      });
      view.dispatch(setDiagnostics(view.state, diagnostics));
    },
    goToLine(line) {
      const l = lineRange(line);
      view.dispatch({ selection: { anchor: l.from, head: l.to }, scrollIntoView: true });
      view.focus();
    },
  };
}
