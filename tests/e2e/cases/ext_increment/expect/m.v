// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, up, down, add, sub, mask, setb);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [3:0] b;
   input c;
   input up;
   input down;
   input add;
   input sub;
   input mask;
   input setb;
   reg [7:0] cnt;
   reg flag;
   reg [3:0] acc;

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) cnt <= 8'b0;
      else if (((up))) cnt <= (cnt+8'b00000001);
      else if (((down))) cnt <= (cnt-8'b00000001);
      else if (((add))) cnt <= (cnt+a);
      else if (((sub))) cnt <= (cnt-(a+8'h01));
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) flag <= 1'b0;
      else if (((setb))) flag <= (flag+1'b1);
   end

   always @(posedge m_clock) begin
      if (((mask))) acc <= (acc&b);
      else if (((setb))) acc <= (acc|b);
      else if (((c))) acc <= (acc+b);
   end
endmodule
