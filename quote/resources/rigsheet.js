// The quotation form's behaviour. Kept as UTF-8 in the repository; the build stores it in
// GBK like the page. It runs in the system's legacy engine as well as a current one, so it
// is plain ES3: no reserved words as property names, no trailing commas, events
// normalised (window.event, keyCode/which, returnValue/preventDefault).

var COPY_DONE = "复制成功！现在您可以粘贴【Ctrl+V】到其它地方了。";
var COPY_FAILED = "复制失败。";
var KEY_ENTER = 13;
var KEY_BACKSPACE = 8;
var KEY_F5 = 116;

function cancelEvent(e) {
  if (e.preventDefault) e.preventDefault();
  if (e.stopPropagation) e.stopPropagation();
  e.returnValue = false;
  e.cancelBubble = true;
  return false;
}

// No context menu anywhere: the page is the whole program, not a web page.
document.oncontextmenu = function (e) {
  return cancelEvent(e || window.event);
};

// F5 would reload the page and lose the quotation.
document.onkeydown = function (e) {
  e = e || window.event;
  if (e.keyCode != KEY_F5) return true;
  // The legacy engine only gives up the reload when the key code is cleared; a current
  // one has a read-only key code.
  try {
    e.keyCode = 0;
  } catch (ignored) {
  }
  return cancelEvent(e);
};

function priceValue(text) {
  var t = $.trim(text);
  return t === "" ? 0 : Number(t);
}

function tol_price() {
  var sum = 0;
  $("#pcinfo0 .pPrice").each(function () {
    sum += priceValue(this.value);
  });
  $("#pTol").val(sum + "元");
}

function numeral(field) {
  $(field).css("ime-mode", "disabled");
  $(field).keypress(function (e) {
    // jQuery's `which` is the character code in every engine: 0 for keys that make no
    // character (an engine that reports those with a key code must not have them blocked).
    var code = e.which;
    if (code == KEY_ENTER) {
      tol_price();
      return true;
    }
    return (code >= 48 && code <= 57) || code == KEY_BACKSPACE || code == 0;
  });
  $(field).change(tol_price);
}

function writeClipboard(text, done) {
  if (window.clipboardData && window.clipboardData.setData) {
    var written = false;
    try {
      written = window.clipboardData.setData("text", text);
    } catch (refused) {
      written = false;
    }
    done(written === true);
    return;
  }
  if (window.navigator && navigator.clipboard && navigator.clipboard.writeText) {
    var pending;
    try {
      pending = navigator.clipboard.writeText(text);
    } catch (refused) {
      done(false);
      return;
    }
    pending.then(function () { done(true); }, function () { done(false); });
    return;
  }
  done(false);
}

function quotationText() {
  var names = $("#pcinfo0 .pName");
  var models = $("#pcinfo0 .pType");
  var prices = $("#pcinfo0 .pPrice");
  var text = "电脑配置报价表\r\n\r\n";
  for (var i = 0; i < prices.length; i++) {
    var model = models[i].value;
    var price = prices[i].value;
    if (model === "" && price === "") continue;
    text += $(names[i]).text() + ": " + model;
    if (price !== "") text += "  " + price + "元";
    text += "\r\n";
  }
  return text + "\r\n合计:" + $("#pTol").val();
}

function CopyTable() {
  writeClipboard(quotationText(), function (written) {
    alert(written ? COPY_DONE : COPY_FAILED);
  });
}

$(document).ready(function () {
  $("#pcinfo0 .pPrice").each(function () {
    numeral(this);
  });
  $("#pcinfo0 .pTypeSel").change(function () {
    $(this).siblings(".pType").val($(this).val());
  });
  $("#ButtonMix, #ButtonClose").hover(
    function () { $(this).addClass("hot"); },
    function () { $(this).removeClass("hot"); });
  $("#Button4").hover(
    function () { this.className = "btn1_mouseover"; },
    function () { this.className = "btn1_mouseout"; });
  $("#Button4").click(CopyTable);
});
