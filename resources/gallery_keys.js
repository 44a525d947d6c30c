// The gallery by keyboard and for screen readers. The viewer runs this in the loaded page, so the
// page the program writes stays as designed: Tab and Shift+Tab move through the cards, Enter or
// Space opens the focused card's enlarged picture beside it, and Escape, Tab or another card
// closes it. The pointer does what the page's own script says, unchanged.
(function () {
  var pop = document.getElementById('pop');
  var pics = document.getElementById('pics');
  if (!pop || !pics || window.selvaraKeys) return;
  window.selvaraKeys = true;

  // A ring that stands out on the black page, shown for the keyboard only.
  var style = document.createElement('style');
  style.textContent = '#pics img:focus-visible { outline: 3px solid yellow; outline-offset: 2px; }';
  document.head.appendChild(style);
  var heading = pics.querySelector('center');
  if (heading) {
    heading.setAttribute('role', 'heading');
    heading.setAttribute('aria-level', '1');
  }
  var cards = pics.getElementsByTagName('img');
  for (var i = 0; i < cards.length; i++) cards[i].tabIndex = 0;

  // The enlarged picture carries the name of the card it shows, however it was opened.
  var shown = null;
  pop.alt = '';
  var pagePopup = window.popup;
  var pagePopout = window.popout;
  window.popup = function (url, width, height) {
    pagePopup(url, width, height);
    pop.alt = shown ? shown.alt : '';
  };
  window.popout = function (card) {
    pagePopout(card);
    pop.alt = '';
    shown = null;
  };
  function isCard(node) {
    return node.tagName === 'IMG' && pics.contains(node);
  }
  // Capturing, so that it runs before the card's own handler for the same event.
  function pointed(event) {
    if (isCard(event.target)) shown = event.target;
  }
  document.addEventListener('mouseover', pointed, true);
  document.addEventListener('mousedown', pointed, true);

  // The pointer's rule, with the pointer at the card's top right corner; where the picture would
  // not fit on the right, at its top left corner, so that the flipped picture leaves the card in
  // view.
  function open(card) {
    var handler = card.onmousedown || card.onmouseover;
    var call = card.getAttribute('onmousedown') || card.getAttribute('onmouseover') || '';
    var size = /,\s*(\d+)\s*,\s*\d+\s*\)\s*$/.exec(call);
    if (!handler || !size) return;
    var box = card.getBoundingClientRect();
    var right = box.right + window.pageXOffset;
    xMousePosMax = window.innerWidth + window.pageXOffset;
    yMousePosMax = window.innerHeight + window.pageYOffset;
    xMousePos = right + 10 + Number(size[1]) > xMousePosMax ? box.left + window.pageXOffset : right;
    yMousePos = box.top + window.pageYOffset;
    shown = card;
    handler.call(card);
  }
  // The WebBrowser control on Windows names Escape and Space the older way, 'Esc' and 'Spacebar'.
  document.addEventListener('keydown', function (event) {
    if ((event.key === 'Escape' || event.key === 'Esc') && shown) {
      window.popout();
    } else if (/^(Enter| |Spacebar)$/.test(event.key) && isCard(event.target)) {
      event.preventDefault();
      open(event.target);
    }
  });
  document.addEventListener('focusout', function (event) {
    if (shown && event.target === shown) window.popout();
  });
})();
