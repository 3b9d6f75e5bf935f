// Sorting and filtering, added on top of pages that read complete without it.
(function () {
  "use strict";
  function cellValue(row, column) {
    var cell = row.cells[column];
    if (!cell) { return ""; }
    var value = cell.getAttribute("data-value");
    return value !== null ? value : cell.textContent;
  }
  function sortBy(table, column, numeric, descending) {
    var body = table.tBodies[0];
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var x = cellValue(a, column), y = cellValue(b, column);
      var order;
      if (numeric) {
        var p = x === "" ? -Infinity : Number(x), q = y === "" ? -Infinity : Number(y);
        order = p - q;
      } else {
        order = x.localeCompare(y);
      }
      return descending ? -order : order;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  }
  Array.prototype.forEach.call(document.querySelectorAll("table.sortable"), function (table) {
    var headers = table.tHead.rows[0].cells;
    Array.prototype.forEach.call(headers, function (header, column) {
      var button = document.createElement("button");
      button.type = "button";
      button.textContent = header.textContent;
      header.textContent = "";
      header.appendChild(button);
      button.addEventListener("click", function () {
        var descending = header.getAttribute("aria-sort") === "ascending";
        Array.prototype.forEach.call(headers, function (other) { other.removeAttribute("aria-sort"); });
        header.setAttribute("aria-sort", descending ? "descending" : "ascending");
        sortBy(table, column, header.classList.contains("number"), descending);
      });
    });
  });
  Array.prototype.forEach.call(document.querySelectorAll("form.filter"), function (form) {
    var table = document.getElementById(form.getAttribute("data-table"));
    function apply() {
      var wanted = {};
      Array.prototype.forEach.call(form.querySelectorAll("select"), function (select) {
        wanted[select.name] = select.value;
      });
      Array.prototype.forEach.call(table.tBodies[0].rows, function (row) {
        var shown = Object.keys(wanted).every(function (name) {
          return wanted[name] === "" || row.getAttribute("data-" + name) === wanted[name];
        });
        row.hidden = !shown;
      });
    }
    form.addEventListener("change", apply);
    form.hidden = false;
  });
}());
