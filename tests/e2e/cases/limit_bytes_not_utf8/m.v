// This file was translated at Sun Dec  6 19:22:01 2026
//  via sflc program written by kurotan
`define MSG "ÿþÃ(â‚€ ¡ð(Œ¼•\Ž¦ƒ\ƒtƒgx"
`define T ("•\"//keptwhilethestringisopen")

module m(m_clock, p_reset, a, b);
   input m_clock;
   input p_reset;
   input a;
   output b;

   assign b = a;
endmodule
