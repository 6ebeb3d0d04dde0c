// Row colouring of the report tables: data rows alternate between two shades, and the row under
// the mouse is highlighted until the mouse leaves it. The caption row keeps its own style.
function setTrColorEvent(tableId) {
  var table = document.getElementById(tableId);
  if (!table) return;
  var rows = table.getElementsByTagName("tr");
  var n = 0;
  for (var i = 0; i < rows.length; i++) {
    var row = rows[i];
    if (row.className == "capTr") continue;
    row.className = (n % 2 == 0) ? "oddTr" : "evenTr";
    n++;
    row.onmouseover = function () {
      if (this.className.indexOf(" overTr") < 0) this.className += " overTr";
    };
    row.onmouseout = function () {
      this.className = this.className.replace(" overTr", "");
    };
  }
}
